// shell32 questions of the real platform, and the shell's link object.
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

}  // namespace

std::string Win32Shell::SpecialFolder(int csidl) {
    win32::TaskMemory<LPITEMIDLIST> list;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, list.Put())) || !list) {
        list.Release();  // nothing of ours after a failure
        return std::string();
    }
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(list.Get(), path)) return std::string();
    return path;
}

namespace {

// The shell's link object with `file` loaded into it; the caller keeps COM initialised.
HRESULT LoadLink(std::string_view file, win32::ComRef<IShellLinkA>& link) {
    HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    link.PutVoid());
    if (FAILED(hr)) return hr;
    win32::ComRef<IPersistFile> persist;
    hr = link->QueryInterface(IID_IPersistFile, persist.PutVoid());
    if (FAILED(hr)) return hr;
    const std::wstring wide = AnsiToWide(file);
    return persist->Load(wide.c_str(), STGM_READ);
}

void FreeLocal(void* block) {
    ::LocalFree(block);
}
using LocalBlock = win32::UniqueHandle<void*, FreeLocal>;

// The link's environment-variable block ("%ProgramFiles%\..."), where it has one.
std::string EnvironmentTarget(IShellLinkA& link) {
    win32::ComRef<IShellLinkDataList> data;
    if (FAILED(link.QueryInterface(IID_IShellLinkDataList, data.PutVoid()))) return std::string();
    void* raw = nullptr;
    if (FAILED(data->CopyDataBlock(EXP_SZ_LINK_SIG, &raw)) || !raw) return std::string();
    const LocalBlock block(raw);
    const auto* record = static_cast<const EXP_SZ_LINK*>(block.Get());
    return std::string(record->szTarget, strnlen(record->szTarget, MAX_PATH));
}

}  // namespace

int32_t Win32Shell::ResolveShortcut(std::string_view file, std::string& target,
                                       std::string& arguments) {
    // Declared first, so the interfaces below are released before COM is shut down.
    const win32::ComInit com;
    win32::ComRef<IShellLinkA> link;
    const HRESULT hr = LoadLink(file, link);
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

std::string Win32Shell::ShortcutLinkText(std::string_view file) {
    const win32::ComInit com;
    win32::ComRef<IShellLinkA> link;
    if (FAILED(LoadLink(file, link))) return std::string();
    std::string text = EnvironmentTarget(*link.Get());
    if (!text.empty()) return text;
    char path[MAX_PATH] = {};
    WIN32_FIND_DATAA found{};
    if (link->GetPath(path, MAX_PATH, &found, SLGP_RAWPATH) != S_OK) return std::string();
    path[MAX_PATH - 1] = '\0';
    return path;
}

namespace {
void CloseSearch(HANDLE search) {
    ::FindClose(search);
}
using SearchHandle = win32::UniqueHandle<HANDLE, CloseSearch, win32::kInvalidHandleValue>;
}  // namespace

std::vector<std::string> Win32Shell::FindFiles(std::string_view pattern) {
    const std::string mask(pattern);
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    SearchHandle search(::FindFirstFileA(mask.c_str(), &found));
    if (!search) return names;
    do {
        names.emplace_back(found.cFileName);
    } while (::FindNextFileA(search.Get(), &found));
    return names;
}

void Win32Shell::ShellChangeNotify(int32_t event, uint32_t flags) {
    ::SHChangeNotify(event, flags, nullptr, nullptr);
}

bool Win32Shell::ShowFileProperties(uintptr_t window, std::string_view file) {
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

bool Win32Shell::OpenUrl(std::string_view url) {
    const std::string address(url);
    // ShellExecute answers a value above 32 on success.
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, "open", address.c_str(), nullptr,
                                                     nullptr, SW_SHOWNORMAL)) > 32;
}

namespace {

using LoadIndirectStringFn = HRESULT(WINAPI*)(LPCWSTR, LPWSTR, UINT, void**);
constexpr UINT kIndirectTextLength = 1024;

// Environment variables in a reference ("%SystemRoot%\system32\x.dll") expanded, so that
// every loader finds the file.
std::wstring Expanded(const std::wstring& text) {
    const DWORD size = ::ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::wstring expanded(size, L'\0');
    const DWORD got = ::ExpandEnvironmentStringsW(text.c_str(), expanded.data(), size);
    if (got == 0 || got > size) return text;
    expanded.resize(got - 1);
    return expanded;
}

}  // namespace

std::string Win32Shell::IndirectString(std::string_view reference) {
    const win32::Library shlwapi = win32::Library::Load("shlwapi.dll");
    const auto load = shlwapi.Entry<LoadIndirectStringFn>("SHLoadIndirectString");
    if (!load) return std::string();
    const std::u16string wide = Cp1252ToUtf16(reference);
    const std::wstring source = Expanded(std::wstring(wide.begin(), wide.end()));
    wchar_t text[kIndirectTextLength] = {};
    if (FAILED(load(source.c_str(), text, kIndirectTextLength, nullptr))) return std::string();
    text[kIndirectTextLength - 1] = L'\0';
    const std::wstring loaded(text);
    return Utf16ToCp1252(std::u16string(loaded.begin(), loaded.end()));
}

}  // namespace rb::platform
