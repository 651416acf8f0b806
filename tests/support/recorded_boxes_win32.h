// The real Windows platform with one difference: message boxes are recorded and answered,
// never shown, so no modal box waits for a person in a test.
#pragma once

#include "platform/sim/sim_windows_ui.h"
#include "platform/win32/platform_win32.h"

namespace rb::test {

class RecordedBoxesPlatform : public platform::Win32Platform {
public:
    platform::SimWindows windows;
    platform::WindowsArea& Windows() override { return windows; }
};

}  // namespace rb::test
