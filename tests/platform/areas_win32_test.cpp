// The real areas under Windows (Wine in the tests) keep the contracts the simulation keeps.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/area_contracts.h"
#include "platform/win32/platform_win32.h"

namespace {

using rb::platform::Win32Platform;

TEST(Win32Areas, KeepTheSystemContract) {
    Win32Platform p;
    rbtest::CheckSystemContract(p.System());
}

TEST(Win32Areas, KeepTheStorageContract) {
    Win32Platform p;
    const std::string temp = p.System().TempPath();
    ASSERT_GE(temp.size(), 3u);
    rbtest::CheckStorageContract(p.Storage(), temp.substr(0, 3));
}

TEST(Win32Areas, KeepTheProcessesContract) {
    Win32Platform p;
    rbtest::CheckProcessesContract(p.Processes(), GetCurrentProcessId(),
                                   p.System().ModuleFileName());
}

TEST(Win32Areas, KeepTheDisplayContract) {
    Win32Platform p;
    rbtest::CheckDisplayContract(p.Display());
}

}  // namespace
