// The operating-system section against the real system (under Wine in the test runs).
#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_os.h"
#include "sysinfo/string_collection.h"

// Last, so that its A/W macros do not rename members of the project's headers.
#include <windows.h>

namespace {

TEST(OperatingSystemWin32, GathersSensibleValuesWithoutErrors) {
    rb::TStringCollection errors;
    rb::TOperatingSystem os(&errors);
    os.GetInfo();
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();

    // The version call's numbers, or on NT the kernel's own (this test program has no manifest
    // naming current systems, so the two differ from Windows 8.1 on).
    const rb::platform::OsVersion v = rb::platform::Current().System().Version();
    const auto kernel = rb::platform::Current().System().KernelVersion();
    const rb::platform::OsVersion& own =
        kernel && v.platformId == VER_PLATFORM_WIN32_NT ? *kernel : v;
    EXPECT_EQ(os.MajorVersion, static_cast<int32_t>(own.major));
    EXPECT_EQ(os.MinorVersion, static_cast<int32_t>(own.minor));
    EXPECT_EQ(os.BuildNumber, static_cast<int32_t>(own.build & 0xFFFF));
    EXPECT_EQ(os.Is_NT, v.platformId == VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(os.Platform, v.platformId == VER_PLATFORM_WIN32_NT ? "Windows NT" : "Windows 9x");
    EXPECT_FALSE(os.OS_Version.empty());
    EXPECT_FALSE(os.SOName.empty());
    if (os.Is_NT) EXPECT_NE(os.NTSpecific->ProductType, rb::TNtProductType::ptUnknown);

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(os.Folders->Values("Windows"), windows);
    EXPECT_FALSE(os.Folders->Values("System").empty());
    EXPECT_FALSE(os.Folders->Values("ProgramFiles").empty());
    EXPECT_FALSE(os.Folders->Values("Fonts").empty());
    EXPECT_GE(os.Folders->IndexOfName("Profile"), 0);
    EXPECT_GE(os.Environment->Count(), 1);
    EXPECT_FALSE(os.Environment->Values("PATH").empty());  // names compare without case
    EXPECT_NE(os.rDecimalSeparator, 0);
    EXPECT_NE(os.rDateSeparator, 0);
}

TEST(OperatingSystemWin32, TheTimeZoneIsFoundInTheSystemsList) {
    rb::TStringCollection errors;
    rb::TTimeZone tz(&errors);
    tz.GetInfo();
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();
    TIME_ZONE_INFORMATION info{};
    GetTimeZoneInformation(&info);
    EXPECT_EQ(tz.Bias, info.Bias);
    EXPECT_FALSE(tz.StandardName.empty());
    EXPECT_FALSE(tz.DisplayName.empty());
    // Both transition texts are numbers ("0" without daylight saving).
    EXPECT_NO_THROW(rb::NeutralTextToFloat(tz.DaylightStart));
    EXPECT_NO_THROW(rb::NeutralTextToFloat(tz.StandardStart));
}

}  // namespace
