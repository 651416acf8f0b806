// The machine section against simulated systems: uptime and last boot, names, BIOS texts of
// each family, lock keys, the computer type and the failure record.
#include <gtest/gtest.h>

#include "core/string_list.h"
#include "os_sim_helpers.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_machine.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;
using platform::SimSystem;

const auto HKLM = RootKey::LocalMachine;
const char kSystem[] = "HARDWARE\\DESCRIPTION\\System";

class MachineTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TMachine m{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        m.GetInfo();
    }
};

TEST_F(MachineTest, NinetyMinutesAfterTheStart) {
    sim.system.tickCount = 5400400;
    sim.system.now = 40000.5;
    sim.system.locale.decimalSeparator = ',';
    Gather();
    EXPECT_EQ(m.SystemUpTime, "5400.4");  // with a point whatever the user's separator
    EXPECT_NEAR(NeutralTextToFloat(m.LastBoot), 40000.5 - 5400.4 / 86400, 1e-9);
    EXPECT_EQ(m.LastBoot.find(','), std::string::npos);
    StringList report;
    {
        ScopedPlatform scope(sim);
        m.Report(report);
    }
    EXPECT_EQ(report.Values("System Up Time"), "1 Hora, 30 Minutos, 0 Segundos.");
    EXPECT_EQ(report.Values("Last Boot"), "06/07/2009 10:29:59");
    EXPECT_EQ(errors.Count(), 0);
}

struct LockRow {
    uint8_t state;
    bool on;
};

TEST_F(MachineTest, ALockKeyCountsOnlyWhenToggledAndNotHeld) {
    for (const LockRow row : {LockRow{0x01, true}, LockRow{0x81, false}, LockRow{0x80, false},
                              LockRow{0x00, false}, LockRow{0x03, false}}) {
        sim.windows.keyboard.fill(0);
        sim.windows.keyboard[0x14] = row.state;
        sim.windows.keyboard[0x91] = 1;
        Gather();
        EXPECT_EQ(m.CapsLock, row.on) << int(row.state);
        EXPECT_FALSE(m.NumLock);
        EXPECT_TRUE(m.ScrollLock);
    }
}

TEST_F(MachineTest, NTReadsTheBiosFromTheSystemDescription) {
    sim.registry.SetString(HKLM, kSystem, "Identifier", "AT/AT COMPATIBLE");
    sim.registry.SetMultiString(HKLM, kSystem, "SystemBiosVersion",
                                {"DELL   - 7", "Phoenix ROM BIOS PLUS Version 1.10 A05"});
    sim.registry.SetString(HKLM, kSystem, "SystemBiosDate", "03/14/05");
    sim.system.SetBiosText(0xFE061, "no se lee en NT");
    Gather();
    EXPECT_EQ(m.BIOSName, "AT/AT COMPATIBLE");
    EXPECT_EQ(m.BIOSCopyright, "DELL   - 7");
    EXPECT_EQ(m.BIOSDate, "03/14/05");
    EXPECT_EQ(m.BIOSExtendedInfo, "");
    // Later systems describe the BIOS only in a subkey.
    sim.registry.SetString(HKLM, std::string(kSystem) + "\\BIOS", "BIOSReleaseDate", "01/02/10");
    sim.registry.Find(HKLM, kSystem)->values.clear();
    m.BIOSDate.clear();
    Gather();
    EXPECT_EQ(m.BIOSDate, "01/02/10");
}

TEST_F(MachineTest, NinetyEightReadsTheBiosArea) {
    sim.system.version = SimSystem::Windows98SE();
    sim.system.SetBiosText(0xFE061, "IBM COMPATIBLE 486 BIOS COPYRIGHT Award");
    sim.system.SetBiosText(0xFE091, "Award Modular BIOS v4.51PG");
    sim.system.SetBiosText(0xFEC71, "08/14/98-i440BX-8671-2A69KA1IC-00");
    // The date runs into the model byte and the checksum at the very end of the megabyte.
    sim.system.SetBiosText(0xFFFF5, "08/14/98\xFC\x5A\x33");
    sim.registry.SetString(HKLM, kSystem, "Identifier", "no se usa");
    Gather();
    EXPECT_EQ(m.BIOSName, "IBM COMPATIBLE 486 BIOS COPYRIGHT Award");
    EXPECT_EQ(m.BIOSCopyright, "Award Modular BIOS v4.51PG");
    EXPECT_EQ(m.BIOSExtendedInfo, "08/14/98-i440BX-8671-2A69KA1IC-00");
    EXPECT_EQ(m.BIOSDate, "08/14/98\xFC\x5A\x33");
    EXPECT_EQ(errors.Count(), 0);
}

TEST_F(MachineTest, ABiosTextWithoutEndStopsAtTheLimit) {
    sim.system.version = SimSystem::Windows95();
    sim.system.SetBiosText(0xFE061, std::string(400, 'X'));
    Gather();
    EXPECT_EQ(m.BIOSName, std::string(255, 'X'));
}

TEST_F(MachineTest, NinetyEightWithoutTheBiosAreaAsksTheRegistry) {
    sim.system.version = SimSystem::Windows98SE();  // and no BIOS area mapped
    sim.registry.SetString(HKLM, kSystem, "Identifier", "AT compatible");
    Gather();
    EXPECT_EQ(m.BIOSName, "AT compatible");
    EXPECT_EQ(m.BIOSDate, "");
    EXPECT_EQ(errors.Count(), 0);
}

TEST_F(MachineTest, ComputerTypeOfEachFamily) {
    const char* nt = "SYSTEM\\CurrentControlSet\\Control\\Class";
    sim.registry.SetString(HKLM, std::string(nt) + "\\{4D36E966-E325-11CE-BFC1-08002BE10318}",
                           "Class", "Computer");
    sim.registry.SetString(HKLM,
                           std::string(nt) + "\\{4D36E966-E325-11CE-BFC1-08002BE10318}\\0000",
                           "DriverDesc", "PC Advanced Configuration and Power Interface (ACPI)");
    const char* w9x = "SYSTEM\\CurrentControlSet\\Services\\Class";
    sim.registry.SetString(HKLM, std::string(w9x) + "\\Computer", "Class", "computer");
    sim.registry.SetString(HKLM, std::string(w9x) + "\\Computer", "Link", "system");
    sim.registry.SetString(HKLM, std::string(w9x) + "\\SYSTEM\\0000", "DriverDesc",
                           "Equipo PC estándar");
    Gather();
    EXPECT_EQ(m.Computer, "PC Advanced Configuration and Power Interface (ACPI)");
    sim.system.version = SimSystem::Windows98SE();
    Gather();
    EXPECT_EQ(m.Computer, "Equipo PC estándar");
}

TEST_F(MachineTest, NoComputerClassLeavesItEmpty) {
    m.Computer = "anterior";
    Gather();
    EXPECT_EQ(m.Computer, "");
}

TEST(Machine, AFailureIsRecordedAndWhatCameBeforeStays) {
    testing_os::FailingSim sim;
    sim.failAt = "KeyboardState";
    sim.system.tickCount = 60000;
    sim.windows.keyboard[0x14] = 1;
    ScopedPlatform scope(sim);
    TStringCollection errors;
    TMachine m(&errors);
    m.GetInfo();
    ASSERT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.Get(0), "TMachine.GetInfo: falla simulada");
    EXPECT_EQ(m.SystemUpTime, "60");
    EXPECT_EQ(m.Name, "SIMPC");
    EXPECT_FALSE(m.CapsLock);
}

}  // namespace
}  // namespace rb
