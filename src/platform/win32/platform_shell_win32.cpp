// shell32, ole32 and user32 questions of the real platform.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "core/cp1252.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/platform_win32.h"

namespace rb::platform {
namespace {

// File names are in the system's ANSI code page, which is not always 1252.
std::wstring AnsiToWide(std::string_view text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

const wchar_t* WidePointer(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace

std::string Win32Platform::SpecialFolder(int csidl) {
    win32::TaskMemory<LPITEMIDLIST> list;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, list.Put())) || !list) {
        list.Release();  // nothing of ours after a failure
        return std::string();
    }
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(list.Get(), path)) return std::string();
    return path;
}

int32_t Win32Platform::ResolveShortcut(std::string_view file, std::string& target,
                                       std::string& arguments) {
    // Declared first, so the interfaces below are released before COM is shut down.
    const win32::ComInit com;
    win32::ComRef<IShellLinkA> link;
    HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    link.PutVoid());
    if (FAILED(hr)) return hr;
    win32::ComRef<IPersistFile> persist;
    hr = link->QueryInterface(IID_IPersistFile, persist.PutVoid());
    if (FAILED(hr)) return hr;
    const std::wstring wide = AnsiToWide(file);
    hr = persist->Load(wide.c_str(), STGM_READ);
    if (FAILED(hr)) return hr;

    char path[MAX_PATH] = {};
    WIN32_FIND_DATAA found{};
    // S_FALSE (a link to something that is no file) leaves the path empty.
    if (link->GetPath(path, MAX_PATH, &found, 0) != S_OK) path[0] = '\0';
    char args[INFOTIPSIZE] = {};
    if (FAILED(link->GetArguments(args, INFOTIPSIZE))) args[0] = '\0';
    path[MAX_PATH - 1] = '\0';
    args[INFOTIPSIZE - 1] = '\0';
    target = path;
    arguments = args;
    return hr;
}

void Win32Platform::ShellChangeNotify(int32_t event, uint32_t flags) {
    ::SHChangeNotify(event, flags, nullptr, nullptr);
}

bool Win32Platform::ShowFileProperties(uintptr_t window, std::string_view file) {
    const std::string name(file);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST;  // the "properties" verb lives on the item's shell menu
    info.hwnd = reinterpret_cast<HWND>(window);
    info.lpVerb = "properties";
    info.lpFile = name.c_str();
    info.nShow = SW_SHOW;
    return ::ShellExecuteExA(&info) != FALSE;
}

std::array<uint8_t, 16> Win32Platform::NewGuid() {
    GUID guid;
    if (FAILED(::CoCreateGuid(&guid))) return Platform::NewGuid();
    std::array<uint8_t, 16> bytes;
    static_assert(sizeof(guid) == bytes.size(), "a GUID is 16 bytes");
    std::memcpy(bytes.data(), &guid, bytes.size());
    return bytes;
}

namespace {

// Scripted runs (tests, unattended checks) can ask for message boxes to be written to a file
// instead of waiting for a person: RBINFO_MESSAGE_LOG names the file.
bool LogInsteadOfShowing(std::string_view text, std::string_view caption) {
    char path[MAX_PATH];
    const DWORD n = ::GetEnvironmentVariableA("RBINFO_MESSAGE_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return false;
    win32::FileHandle file(::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::string line = std::string(caption) + ": " + std::string(text) + "\r\n";
    DWORD written = 0;
    ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return true;
}

}  // namespace

int Win32Platform::MessageBox(std::string_view text, std::string_view caption, uint32_t flags) {
    if (LogInsteadOfShowing(text, caption)) return IDOK;
    const std::u16string wideText = Cp1252ToUtf16(text);
    const std::u16string wideCaption = Cp1252ToUtf16(caption);
    // Owned by the active window of this thread, so the program waits for the answer.
    return ::MessageBoxW(::GetActiveWindow(), WidePointer(wideText), WidePointer(wideCaption),
                         flags);
}

}  // namespace rb::platform
