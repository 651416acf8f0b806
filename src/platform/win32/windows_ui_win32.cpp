// user32 questions of the real platform: message boxes and the keyboard.
#include <windows.h>

#include <string>

#include "core/cp1252.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/platform_win32.h"

namespace rb::platform {
namespace {

const wchar_t* WidePointer(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// Scripted runs (tests, unattended checks) can ask for message boxes to be written to a file
// instead of waiting for a person: RBINFO_MESSAGE_LOG names the file.
bool LogInsteadOfShowing(std::string_view text, std::string_view caption) {
    char path[MAX_PATH];
    const DWORD n = ::GetEnvironmentVariableA("RBINFO_MESSAGE_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return false;
    win32::FileHandle file(::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::string line = std::string(caption) + ": " + std::string(text) + "\r\n";
    DWORD written = 0;
    ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return true;
}

}  // namespace

int Win32Windows::ShowMessage(std::string_view text, std::string_view caption, uint32_t flags) {
    if (LogInsteadOfShowing(text, caption)) return IDOK;
    const std::u16string wideText = Cp1252ToUtf16(text);
    const std::u16string wideCaption = Cp1252ToUtf16(caption);
    // Owned by the active window of this thread, so the program waits for the answer.
    return ::MessageBoxW(::GetActiveWindow(), WidePointer(wideText), WidePointer(wideCaption),
                         flags);
}

std::array<uint8_t, 256> Win32Windows::KeyboardState() {
    std::array<uint8_t, 256> keys{};
    if (!::GetKeyboardState(keys.data())) keys.fill(0);
    return keys;
}

}  // namespace rb::platform
