// The simulated areas keep the same contracts as the real ones, so sections tested against
// them meet the system's behaviour.
#include <gtest/gtest.h>

#include "platform/area_contracts.h"
#include "platform/sim/sim_platform.h"

namespace {

using rb::platform::DiskSpace;
using rb::platform::SimPlatform;
using rb::platform::SimStorage;
using rb::platform::VolumeData;

TEST(SimAreas, KeepTheSystemContract) {
    SimPlatform sim;
    sim.system.environment = {"=C:=C:\\", "PATH=C:\\WINDOWS", "TEMP=C:\\WINDOWS\\TEMP"};
    rbtest::CheckSystemContract(sim.System());
    sim.system.version = rb::platform::SimSystem::Windows98SE();
    sim.system.memoryEx = std::nullopt;
    sim.system.addressSpace = rb::platform::SimSystem::AddressSpace9x();
    sim.system.SetBiosText(0xFE061, "IBM COMPATIBLE");
    rbtest::CheckSystemContract(sim.System());
}

TEST(SimAreas, KeepTheStorageContract) {
    SimStorage storage;
    storage.drives["A:\\"].kind = 2;  // a floppy drive without a disk
    SimStorage::Drive& c = storage.drives["C:\\"];
    c.space = DiskSpace{8, 512, 1000, 4000, 4096000, 16384000};
    c.volume = VolumeData{"SISTEMA", "NTFS", 0x1234ABCD, 255, 0x700FF};
    SimStorage::Drive& d = storage.drives["D:\\"];
    d.kind = 5;
    d.space = DiskSpace{1, 2048, 0, 300000, std::nullopt, std::nullopt};  // no Ex call
    d.volume = VolumeData{"DATOS", "CDFS", 1, 110, 0x80005};
    rbtest::CheckStorageContract(storage, "C:\\");
}

TEST(SimAreas, KeepTheDisplayContract) {
    rb::platform::SimDisplay display;
    display.capabilities = {{2, 1}, {8, 800}, {10, 600}, {12, 16}};
    display.modes = {{640, 480, 8, 60}, {800, 600, 16, 60}};
    rbtest::CheckDisplayContract(display);
}

TEST(SimAreas, UniversalNamesOnlyForMappedDrives) {
    SimStorage storage;
    storage.drives["F:\\"] = {4, DiskSpace{}, VolumeData{}, std::string("\\\\SERVIDOR\\datos")};
    EXPECT_EQ(storage.UniversalName("F:\\informes"), "\\\\SERVIDOR\\datos\\informes");
    EXPECT_EQ(storage.UniversalName("C:\\"), std::nullopt);
    EXPECT_EQ(storage.DriveKind("f:\\"), 4u);  // roots in any case
}

}  // namespace
