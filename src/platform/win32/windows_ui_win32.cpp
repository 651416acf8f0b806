// user32 questions of the real platform: message boxes (also ones that close by themselves)
// and the keyboard.
#include <windows.h>

#include <cstring>
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

int ShowBox(std::string_view text, std::string_view caption, uint32_t flags) {
    const std::u16string wideText = Cp1252ToUtf16(text);
    const std::u16string wideCaption = Cp1252ToUtf16(caption);
    // Owned by the active window of this thread, so the program waits for the answer.
    return ::MessageBoxW(::GetActiveWindow(), WidePointer(wideText), WidePointer(wideCaption),
                         flags);
}

// The message box is a dialog of the system's class "#32770"; while it waits, a thread timer
// answers every such dialog of this thread with OK (an unattended run has no other window).
BOOL CALLBACK AnswerDialog(HWND window, LPARAM) {
    char name[16] = {};
    if (::GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0) {
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

void CALLBACK AnswerThreadDialogs(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), AnswerDialog, 0);
}

// A timer of this thread (no window), stopped when the box is gone.
class ThreadTimer {
public:
    ThreadTimer(UINT milliseconds, TIMERPROC proc)
        : id_(::SetTimer(nullptr, 0, milliseconds, proc)) {}
    ~ThreadTimer() {
        if (id_) ::KillTimer(nullptr, id_);
    }
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;

private:
    UINT_PTR id_;
};

}  // namespace

int Win32Windows::ShowMessage(std::string_view text, std::string_view caption, uint32_t flags) {
    if (LogInsteadOfShowing(text, caption)) return IDOK;
    return ShowBox(text, caption, flags);
}

int Win32Windows::ShowMessageClosingAfter(std::string_view text, std::string_view caption,
                                          uint32_t flags, uint32_t seconds) {
    if (LogInsteadOfShowing(text, caption)) return IDOK;
    const ThreadTimer timer(seconds * 1000, AnswerThreadDialogs);
    return ShowBox(text, caption, flags);
}

std::array<uint8_t, 256> Win32Windows::KeyboardState() {
    std::array<uint8_t, 256> keys{};
    if (!::GetKeyboardState(keys.data())) keys.fill(0);
    return keys;
}

}  // namespace rb::platform
