// Screenshots of the program's windows, taken by the Windows test program itself.
#pragma once

#include <windows.h>

#include <string>

namespace rb::test {

// The folder the test run saves its screenshots in (the build folder's "screenshots").
std::string ScreenshotFolder();

// Paints `window` (frame included) into a picture and saves it as `name`.png in the screenshot
// folder; answers the file's path, or "" when the picture could not be taken or written.
std::string SaveWindowShot(HWND window, const std::string& name);

}  // namespace rb::test
