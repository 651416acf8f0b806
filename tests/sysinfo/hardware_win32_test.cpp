// The hardware sections against the real calls under Wine (whose prefix holds the devices'
// "Control" subkeys, see scripts/wine-run.sh.in): what Wine records and maps must show.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "core/text.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/si_disk.h"
#include "sysinfo/si_display.h"
#include "sysinfo/msystem_info.h"
#include "sysinfo/si_network.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

double Milliseconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

TEST(HardwareUnderWine, EverySectionFindsWhatWineRecords) {
    TStringCollection errors;
    TDevices devices(&errors);
    TDisks disks(&errors);
    TNetwork network(&errors, &devices);
    TDisplays displays(&errors, &devices);

    const auto start = std::chrono::steady_clock::now();
    devices.GetInfo();
    const double tree = Milliseconds(start);
    disks.GetInfo();
    network.GetInfo();
    ASSERT_NO_THROW(displays.GetInfo());
    const double all = Milliseconds(start);
    std::printf("device tree %.1f ms (%d devices), four sections %.1f ms\n", tree, devices.Count(),
                all);

    EXPECT_EQ(errors.Count(), 0) << (errors.Count() ? errors.Get(0) : "");
    ASSERT_GT(devices.Count(), 0);
    EXPECT_FALSE(devices.Machine.empty());
    for (int i = 0; i < devices.Count(); ++i) {
        EXPECT_FALSE(Trim(devices.Device(i).DeviceClassName).empty());
        EXPECT_FALSE(devices.Device(i).RegKey.empty());
    }
    ASSERT_GT(displays.Count(), 0);
    const TDisplay& d = displays.Display(0);
    EXPECT_FALSE(d.Adapter.empty());
    EXPECT_GT(d.HorzRes, 0);
    EXPECT_GT(d.Modes->Count(), 0);
    EXPECT_FALSE(d.RasterCaps.Empty());

    const TDisk* c = disks.FindDisk("C:");
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->MediaPresent);
    EXPECT_FALSE(c->FileSystem.empty());
    EXPECT_GT(c->Capacity, 0);
    EXPECT_EQ(c->SerialNumber.size(), 9u);

    EXPECT_GT(network.IPAddresses->Count(), 0);
    EXPECT_GT(network.WinSock->MajorVersion, 0);
}

// A measure rather than a check: the whole collection, every section, as the program runs it.
TEST(HardwareUnderWine, WholeCollectionTime) {
    TMSystemInfo info;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_NO_THROW(info.Refresh());
    std::printf("whole collection %.1f ms, %d error lines\n", Milliseconds(start),
                info.ErrorList->Count());
    for (int i = 0; i < info.ErrorList->Count(); ++i) {
        std::printf("  %s\n", info.ErrorList->Get(i).c_str());
    }
}

}  // namespace
}  // namespace rb
