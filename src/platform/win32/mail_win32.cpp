// Simple MAPI through a client's library: the structures and the function type are the
// system's own (<mapi.h>).
#include "platform/win32/mail_win32.h"

#include <windows.h>
#include <mapi.h>

#include "platform/win32/handles_win32.h"
#include "platform/win32/late_binding_win32.h"

namespace rb::platform {
namespace {

char* Text(std::string& text) { return text.empty() ? nullptr : text.data(); }

class Win32MailClient : public MailClient {
public:
    Win32MailClient(win32::Library library, LPMAPISENDMAIL sendMail)
        : library_(std::move(library)), sendMail_(sendMail) {}

    uint32_t SendMail(uintptr_t window, const MailMessage& message, uint32_t flags) override {
        MailMessage m = message;  // MapiMessage points at its texts without const
        std::vector<MapiRecipDesc> recipients(m.recipients.size());
        for (size_t i = 0; i < recipients.size(); ++i) {
            MailRecipient& r = m.recipients[i];
            recipients[i] = MapiRecipDesc{0, r.recipientClass, Text(r.name), Text(r.address),
                                          0, nullptr};
        }
        std::vector<MapiFileDesc> files(m.files.size());
        for (size_t i = 0; i < files.size(); ++i) {
            // Not placed inside the body text; no name or type of its own.
            files[i] = MapiFileDesc{0, 0, ULONG(-1), Text(m.files[i].pathName),
                                    Text(m.files[i].fileName), nullptr};
        }
        MapiMessage record{};
        record.lpszSubject = Text(m.subject);
        record.lpszNoteText = Text(m.noteText);
        record.nRecipCount = ULONG(recipients.size());
        record.lpRecips = recipients.empty() ? nullptr : recipients.data();
        record.nFileCount = ULONG(files.size());
        record.lpFiles = files.empty() ? nullptr : files.data();
        return sendMail_(0, ULONG_PTR(window), &record, flags, 0);
    }

private:
    win32::Library library_;
    LPMAPISENDMAIL sendMail_;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId()) return TRUE;
    const HWND owner = ::GetWindow(window, GW_OWNER);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    reinterpret_cast<std::vector<ProcessWindow>*>(list)->push_back(
        {uintptr_t(window), ::IsWindowVisible(window) != FALSE,
         owner == nullptr || owner == ::GetDesktopWindow(), (exStyle & WS_EX_TOOLWINDOW) != 0,
         (exStyle & WS_EX_APPWINDOW) != 0});
    return TRUE;
}

}  // namespace

MailClientLoad Win32Mail::LoadClient(std::string_view library) {
    MailClientLoad load;
    const std::string name(library);
    win32::Library loaded = win32::Library::Load(name.c_str());
    if (!loaded) {
        load.systemError = ::GetLastError();
        return load;
    }
    for (const char* function : kSimpleMapiFunctions) {
        if (!loaded.Entry<FARPROC>(function)) {
            load.missingFunction = function;
            return load;  // the library is unloaded with `loaded`
        }
    }
    const auto send = loaded.Entry<LPMAPISENDMAIL>("MAPISendMail");
    load.client = std::make_unique<Win32MailClient>(std::move(loaded), send);
    return load;
}

bool Win32Mail::IsMailClientLibrary(std::string_view library) {
    const std::string name(library);
    win32::ErrorModeScope quiet(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    win32::ModuleHandle module(
        ::LoadLibraryExA(name.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    if (!module) return false;
    for (const char* function : kSimpleMapiFunctions) {
        if (!::GetProcAddress(module.Get(), function)) return false;
    }
    return true;
}

bool Win32Mail::FileExists(std::string_view path) {
    const std::string name(path);
    win32::ErrorModeScope quiet(SEM_FAILCRITICALERRORS);
    WIN32_FIND_DATAA data;
    const HANDLE search = ::FindFirstFileA(name.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    ::FindClose(search);
    return true;
}

std::vector<ProcessWindow> Win32Mail::TopLevelWindows() {
    std::vector<ProcessWindow> windows;
    ::EnumWindows(&CollectWindow, LPARAM(&windows));
    return windows;
}

}  // namespace rb::platform
