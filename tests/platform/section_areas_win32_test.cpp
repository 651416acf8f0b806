// The power, multimedia, printers and Automation areas under Windows (Wine in the tests) keep
// the contracts the simulation keeps.
#include <gtest/gtest.h>

#include "platform/section_area_contracts.h"
#include "platform/win32/platform_win32.h"

namespace {

using rb::platform::Win32Platform;

TEST(Win32SectionAreas, KeepThePowerContract) {
    Win32Platform p;
    rbtest::CheckPowerContract(p.Power());
}

TEST(Win32SectionAreas, KeepTheMultimediaContract) {
    Win32Platform p;
    rbtest::CheckMultimediaContract(p.Multimedia());
}

TEST(Win32SectionAreas, KeepThePrintersContract) {
    Win32Platform p;
    rbtest::CheckPrintersContract(p.Printers());
}

TEST(Win32SectionAreas, KeepTheAutomationContract) {
    Win32Platform p;
    rbtest::CheckAutomationContract(p.Automation());
}

}  // namespace
