// What the program's Win32 windows share: owners of GDI objects and icons, the font of the
// windows' texts, CP1252 texts on controls, and the guard that turns an error raised by a
// command into the application's error box.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32/handles_win32.h"

namespace rb::ui {

namespace detail {
inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
}  // namespace detail

using GdiObject = platform::win32::UniqueHandle<HGDIOBJ, detail::DeleteGdiObject>;
using IconHandle = platform::win32::UniqueHandle<HICON, detail::DestroyIconHandle>;

// The system's message font (Tahoma-like, with every Spanish letter); the stock GUI font when
// the system does not say.
GdiObject MessageFont();

// A control's text, 8-bit (code page 1252), and back.
std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& text);

// The program's own module: its resources live there (rbInfo.exe, or the test program).
HINSTANCE Module();

// Runs one command of a window; an error it raises is shown by the application's handler and
// the window goes on.
template <typename Command>
void RunCommand(Command&& command);

void ShowCommandError(const std::exception& error);

template <typename Command>
void RunCommand(Command&& command) {
    try {
        std::forward<Command>(command)();
    } catch (const std::exception& error) {
        ShowCommandError(error);
    }
}

}  // namespace rb::ui
