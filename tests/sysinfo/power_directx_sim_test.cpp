// The power management and DirectX sections over simulated systems.
#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "sysinfo/si_apm.h"
#include "sysinfo/si_directx.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::PowerStatus;
using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;

const auto HKLM = RootKey::LocalMachine;

// Each row: the system's answer, the states and the report's time lines.
TEST(Power, StatusRecordsBecomeStatesAndTheTimesAreReportedOnlyForAKnownCharge) {
    struct Row {
        const char* what;
        std::optional<PowerStatus> status;
        TPowerStatus ac;
        TBatteryStatus battery;
        int32_t lifeTime;
        bool timeLines;
    };
    const Row rows[] = {
        {"desktop", PowerStatus{1, 128, 255, 0xFFFFFFFF, 0xFFFFFFFF}, TPowerStatus::psOnline,
         TBatteryStatus::bsNoBattery, -1, false},
        {"charging at high charge", PowerStatus{1, 9, 80, 0xFFFFFFFF, 0xFFFFFFFF},
         TPowerStatus::psOnline, TBatteryStatus::bsUnknown, -1, true},
        {"on battery", PowerStatus{0, 1, 67, 3725, 7200}, TPowerStatus::psOffline,
         TBatteryStatus::bsHigh, 3725, true},
        {"battery flag 0", PowerStatus{0, 0, 90, 60, 60}, TPowerStatus::psOffline,
         TBatteryStatus::bsHigh, 60, true},
        {"low", PowerStatus{0, 2, 20, 60, 60}, TPowerStatus::psOffline, TBatteryStatus::bsLow, 60,
         true},
        {"critical", PowerStatus{255, 4, 3, 60, 60}, TPowerStatus::psUnknown,
         TBatteryStatus::bsCritical, 60, true},
        {"charging", PowerStatus{1, 8, 50, 60, 60}, TPowerStatus::psOnline,
         TBatteryStatus::bsCharging, 60, true},
        {"unknown flag", PowerStatus{2, 255, 255, 60, 60}, TPowerStatus::psUnknown,
         TBatteryStatus::bsUnknown, 60, false},
        {"call fails", std::nullopt, TPowerStatus::psUnknown, TBatteryStatus::bsUnknown, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SimPlatform sim;
        sim.power.status = row.status;
        TStringCollection errors;
        TAPM apm(&errors);
        apm.ACPowerStatus = TPowerStatus::psOnline;  // what a previous gathering left
        apm.BatteryLifeFullTime = 99;
        {
            ScopedPlatform scope(sim);
            apm.GetInfo();
        }
        EXPECT_EQ(apm.ACPowerStatus, row.ac);
        EXPECT_EQ(apm.BatteryChargeStatus, row.battery);
        EXPECT_EQ(apm.BatteryLifeTime, row.lifeTime);
        if (!row.status) EXPECT_EQ(apm.BatteryLifeFullTime, 0);
        EXPECT_EQ(errors.Count(), 0);
        StringList report;
        apm.Report(report);
        EXPECT_EQ(report.IndexOfName("BattreyLifeFullTime") >= 0, row.timeLines);
        EXPECT_EQ(report.IndexOfName("BatteryLifeTime") >= 0, row.timeLines);
    }
}

TEST(Power, ReportWordsAndDurations) {
    SimPlatform sim;
    sim.power.status = PowerStatus{0, 128, 100, 3725, 60};
    TAPM apm;
    ScopedPlatform scope(sim);
    apm.GetInfo();
    StringList report;
    apm.Report(report);
    EXPECT_EQ(report.Text(),
              "[Advanced Power Management]\r\nACPowerStatus=Offline\r\n"
              "BatteryChargeStatus=No Battery\r\n"
              "BattreyLifeFullTime=1 Minuto, 0 Segundos.\r\n"
              "BatteryLifeTime=1 Hora, 2 Minutos, 5 Segundos.\r\n");
}

class DirectXTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TDirectX dx{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        dx.GetInfo();
    }
    static std::vector<std::string> Items(const TStringCollection& c) {
        std::vector<std::string> items;
        for (int i = 0; i < c.Count(); ++i) items.push_back(c.Get(i));
        return items;
    }
};

TEST_F(DirectXTest, VersionAndListsInSubkeyOrderWithoutDescriptionlessDrivers) {
    sim.registry.SetString(HKLM, "SOFTWARE\\Microsoft\\DirectX", "Version", "4.09.00.0904");
    const std::string d3d = "SOFTWARE\\Microsoft\\Direct3D\\Drivers\\";
    sim.registry.SetString(HKLM, d3d + "Ramp Emulation", "Description", "Emulación de rampa");
    sim.registry.SetString(HKLM, d3d + "Direct3D HAL", "Description", "HAL");
    sim.registry.AddKey(HKLM, d3d + "MMX Emulation");  // no description
    sim.registry.SetString(HKLM, "SOFTWARE\\Microsoft\\DirectPlay\\Services\\{A}", "Description",
                           "Conexión TCP/IP");
    sim.registry.SetString(HKLM, "SOFTWARE\\Microsoft\\DirectMusic\\SoftwareSynths\\{B}",
                           "Description", "Microsoft Synthesizer");
    dx.Direct3D->Add("de una recogida anterior");
    Gather();
    EXPECT_EQ(errors.Count(), 0);
    EXPECT_EQ(dx.Version, "4.09.00.0904");
    EXPECT_EQ(Items(*dx.Direct3D), (std::vector<std::string>{"HAL", "Emulación de rampa"}));
    EXPECT_EQ(Items(*dx.DirectPlay), std::vector<std::string>{"Conexión TCP/IP"});
    EXPECT_EQ(Items(*dx.DirectMusic), std::vector<std::string>{"Microsoft Synthesizer"});
    StringList report;
    dx.Report(report);
    EXPECT_EQ(report.Text(),
              "[DirectX]\r\nVersion=4.09.00.0904\r\n[Direct3D]\r\nCount=2\r\nDevice1=HAL\r\n"
              "Device2=Emulación de rampa\r\n[DirectPlay]\r\nCount=1\r\n"
              "Device1=Conexión TCP/IP\r\n[DirectMusic]\r\nCount=1\r\n"
              "Device1=Microsoft Synthesizer\r\n");
}

TEST_F(DirectXTest, VersionFromTheBinaryValueWhenTheTextIsMissing) {
    struct Row {
        std::vector<uint8_t> value;
        const char* version;
    };
    const Row rows[] = {
        {{0, 0, 0, 8, 0, 0, 0, 1}, "8.1"},
        {{0, 0, 0, 9, 0, 0, 0, 0}, "9.0"},
        {{0, 0, 0, 7}, "7.0"},
        {{9}, ""},
    };
    for (const Row& row : rows) {
        SimPlatform s;
        s.registry.SetBinary(HKLM, "SOFTWARE\\Microsoft\\DirectX", "InstalledVersion", row.value);
        TDirectX d;
        ScopedPlatform scope(s);
        d.GetInfo();
        EXPECT_EQ(d.Version, row.version);
    }
}

TEST_F(DirectXTest, WithoutTheKeyTheVersionStaysAndTheReportIsTheHeadingAlone) {
    Gather();
    EXPECT_EQ(dx.Version, "");
    EXPECT_EQ(dx.Direct3D->Count() + dx.DirectPlay->Count() + dx.DirectMusic->Count(), 0);
    StringList report;
    dx.Report(report);
    EXPECT_EQ(report.Text(), "[DirectX]\r\n");
    dx.Version = "4.08";
    Gather();
    EXPECT_EQ(dx.Version, "4.08");  // not cleared beforehand
}

}  // namespace
}  // namespace rb
