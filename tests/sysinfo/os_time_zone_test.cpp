// The time zone: matching against the registry's list of zones of each family, transition
// dates of the current year, biases and the report.
#include <gtest/gtest.h>

#include "core/datetime.h"
#include "core/string_list.h"
#include "os_sim_helpers.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_os.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::ScopedPlatform;
using platform::SimPlatform;
using platform::SimSystem;
using platform::TimeZoneInfo;
using testing_os::AddZone;
using testing_os::k9xZones;
using testing_os::kNTZones;

const char kRomanceDisplay[] = "(GMT+01:00) Bruselas, Copenhague, Madrid, París";

TimeZoneInfo Tokyo() {
    TimeZoneInfo z;
    z.bias = -540;
    z.standardName = "Tokyo Standard Time";
    z.daylightName = "Tokyo Daylight Time";
    return z;
}

TimeZoneInfo Pacific() {
    TimeZoneInfo z = SimSystem::RomanceTimeZone();
    z.bias = 480;
    z.standardName = "Pacific Standard Time";
    z.daylightName = "Pacific Daylight Time";
    return z;
}

double At(int year, int month, int day, int hour) {
    return EncodeDate(year, month, day) + hour / 24.0;
}

class TimeZoneTest : public ::testing::Test {
protected:
    SimPlatform sim;  // Windows XP in Romance standard time, 6 July 2009
    TStringCollection errors;
    TTimeZone tz{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        tz.GetInfo();
        EXPECT_EQ(errors.Count(), 0);
    }
};

TEST_F(TimeZoneTest, MatchesTheNTListAndComputesThisYearsTransitions) {
    AddZone(sim.registry, kNTZones, "Pacific Standard Time", Pacific(), "(GMT-08:00) Pacífico");
    AddZone(sim.registry, kNTZones, "Romance Standard Time", SimSystem::RomanceTimeZone(),
            kRomanceDisplay, "2,3");
    Gather();
    EXPECT_EQ(tz.DisplayName, kRomanceDisplay);
    EXPECT_EQ(tz.MapID, "2,3");
    EXPECT_EQ(tz.StandardName, "Romance Standard Time");
    EXPECT_EQ(tz.DaylightName, "Romance Daylight Time");
    EXPECT_EQ(tz.Bias, -60);
    EXPECT_EQ(tz.StandardBias, -60);
    EXPECT_EQ(tz.DaylightBias, -120);
    // Last Sundays of March and October 2009.
    const double ms = 1.0 / 86400000;
    EXPECT_NEAR(NeutralTextToFloat(tz.DaylightStart), At(2009, 3, 29, 2), ms);
    EXPECT_NEAR(NeutralTextToFloat(tz.StandardStart), At(2009, 10, 25, 3), ms);
    EXPECT_EQ(tz.DaylightStart.find(','), std::string::npos);

    StringList report;
    ScopedPlatform scope(sim);  // the user's date format
    tz.Report(report);
    EXPECT_EQ(report.Values("StdName"), "25/10/2009 03:00:00");
    EXPECT_EQ(report.Values("DlghtName"), "29/03/2009 02:00:00");
}

TEST_F(TimeZoneTest, TheNinetyFiveFamilyReadsItsOwnList) {
    sim.system.version = SimSystem::Windows98SE();
    AddZone(sim.registry, kNTZones, "Romance Standard Time", SimSystem::RomanceTimeZone(),
            "lista NT");
    sim.system.timeZone.standardName = "Hora de Madrid";
    tz.DisplayName = "anterior";
    Gather();
    // Not in its list: the display name stays, the names are the system's.
    EXPECT_EQ(tz.DisplayName, "anterior");
    EXPECT_EQ(tz.StandardName, "Hora de Madrid");

    sim.system.timeZone.standardName = "Romance Standard Time";
    AddZone(sim.registry, k9xZones, "Romance", SimSystem::RomanceTimeZone(), "lista 9x");
    Gather();
    EXPECT_EQ(tz.DisplayName, "lista 9x");
}

TEST_F(TimeZoneTest, AZoneWithoutDaylightSavingHasNoTransitions) {
    sim.system.timeZone = Tokyo();
    AddZone(sim.registry, kNTZones, "Tokyo Standard Time", Tokyo(), "(GMT+09:00) Osaka, Tokio");
    tz.StandardBias = 11;
    tz.DaylightBias = 22;
    Gather();
    EXPECT_EQ(tz.DisplayName, "(GMT+09:00) Osaka, Tokio");
    EXPECT_EQ(tz.Bias, -540);
    EXPECT_EQ(tz.DaylightStart, "0");
    EXPECT_EQ(tz.StandardStart, "0");
    EXPECT_EQ(tz.StandardBias, 11);  // not touched
    EXPECT_EQ(tz.DaylightBias, 22);
}

struct DaylightRow {
    uint32_t state;
    const char* display;
};

// Two zones that differ only in their daylight names: which one is taken depends on whether
// daylight time is in force.
TEST_F(TimeZoneTest, DaylightNameCountsOnlyWhileDaylightTimeIsInForce) {
    TimeZoneInfo lookalike = SimSystem::RomanceTimeZone();
    lookalike.daylightName = "Otro horario de verano";
    lookalike.daylightBias = -30;
    AddZone(sim.registry, kNTZones, "A parecida", lookalike, "parecida");
    AddZone(sim.registry, kNTZones, "Romance Standard Time", SimSystem::RomanceTimeZone(),
            "romance");
    for (const DaylightRow row : {DaylightRow{1, "parecida"}, DaylightRow{2, "romance"}}) {
        sim.system.timeZone.state = row.state;
        Gather();
        EXPECT_EQ(tz.DisplayName, row.display) << row.state;
        EXPECT_EQ(tz.DaylightBias, row.state == 1 ? -90 : -120);
    }
}

TEST_F(TimeZoneTest, MalformedRecordsAreSkippedAndLongNamesCut) {
    const std::string longName = "Hora estandar de una zona de nombre muy largo";  // 45
    sim.system.timeZone.standardName = longName.substr(0, 31);  // what the system's field holds
    TimeZoneInfo zone = sim.system.timeZone;
    zone.standardName = longName;
    AddZone(sim.registry, kNTZones, "A corta", zone, "corta");
    std::vector<uint8_t> shortTzi = testing_os::Tzi(zone);
    shortTzi.pop_back();
    sim.registry.SetBinary(platform::RootKey::LocalMachine, std::string(kNTZones) + "\\A corta",
                           "TZI", shortTzi);
    AddZone(sim.registry, kNTZones, "B larga", zone, "larga");
    Gather();
    EXPECT_EQ(tz.DisplayName, "larga");
    EXPECT_EQ(tz.StandardName, longName.substr(0, 31));
}


}  // namespace
}  // namespace rb
