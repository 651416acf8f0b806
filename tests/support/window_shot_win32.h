// Screenshots of the program's windows, taken by the Windows test program itself from the
// windows' own painting (never from the screen), and checked for what a person sees.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/picture_checks.h"

namespace rb::test {

// The folder the test run saves its screenshots in (the build folder's "screenshots").
std::string ScreenshotFolder();

// Saves the picture of `window` (frame included, see PrintedWindow) as `name`.png in the
// screenshot folder; answers the file's path, or "" when the picture could not be taken or
// written.
std::string SaveWindowShot(HWND window, const std::string& name);

// The group boxes, buttons with captions, and lists with the rows that hold text, that a person
// sees in `window`, in the coordinates of its picture.
std::vector<ControlSeen> ControlsSeen(HWND window);

// Saves the screenshot and looks at it: answers "" when it was saved, shows all it should and
// comes out the same whichever of its windows paints last; otherwise what is wrong, one line
// each (see FaultsSeen and OrderFault).
std::string CheckedWindowShot(HWND window, const std::string& name);

}  // namespace rb::test
