// The machine section against the real system (under Wine in the test runs).
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_machine.h"
#include "sysinfo/string_collection.h"

// Last, so that its A/W macros do not rename members of the project's headers.
#include <windows.h>

namespace {

TEST(MachineWin32, GathersSensibleValuesWithoutErrors) {
    rb::TStringCollection errors;
    rb::TMachine m(&errors);
    m.GetInfo();
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();
    EXPECT_EQ(m.Name, rb::GetMachineName());
    EXPECT_FALSE(m.Name.empty());
    EXPECT_FALSE(m.User.empty());
    const double upTime = rb::NeutralTextToFloat(m.SystemUpTime);
    EXPECT_GT(upTime, 0);
    const double now = rb::platform::Current().System().Now();
    const double lastBoot = rb::NeutralTextToFloat(m.LastBoot);
    EXPECT_LT(lastBoot, now);
    EXPECT_NEAR(lastBoot, now - upTime / 86400, 2.0 / 86400);
    EXPECT_GT(now, 36526);  // after 2000
    // The NT family describes its system in the registry (Wine: "AT compatible").
    EXPECT_FALSE(m.BIOSName.empty());
}

TEST(MachineWin32, TheBiosAreaIsNotReadOnNT) {
    if (GetVersion() & 0x80000000u) GTEST_SKIP() << "a Windows 95/98/ME version is set";
    EXPECT_FALSE(rb::platform::Current().System().ReadBiosArea(0xFE061, 64).has_value());
}

}  // namespace
