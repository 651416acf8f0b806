// The simulated power, multimedia, printers and Automation areas, filled like a small
// machine, keep the contracts the real areas keep.
#include <gtest/gtest.h>

#include "platform/section_area_contracts.h"
#include "platform/sim/sim_platform.h"

namespace {

using namespace rb::platform;

TEST(SimSectionAreas, KeepThePowerContract) {
    SimPlatform sim;
    sim.power.status = PowerStatus{1, 128, 255, 0xFFFFFFFF, 0xFFFFFFFF};
    rbtest::CheckPowerContract(sim.power);
}

TEST(SimSectionAreas, KeepTheMultimediaContract) {
    SimPlatform sim;
    MediaDeviceCaps caps;
    caps.name = "Wine wave out";
    sim.multimedia.devices[MediaDeviceKind::WaveOut] = {caps, std::nullopt};
    rbtest::CheckMultimediaContract(sim.multimedia);
}

TEST(SimSectionAreas, KeepThePrintersContract) {
    SimPlatform sim;
    PrinterInfo2 p;
    p.printerName = "HP LaserJet";
    sim.printers.level2 = std::vector<PrinterInfo2>{p};
    sim.printers.defaultPrinter = "HP LaserJet";
    sim.printers.defaultLevel5.error = 123;
    rbtest::CheckPrintersContract(sim.printers);
}

TEST(SimSectionAreas, KeepTheAutomationContract) {
    SimPlatform sim;
    sim.automation.classes["Scripting.Dictionary"] = {
        "{EE09B103-97E0-11CF-978F-00A02463E06F}",
        {{"CompareMode", int32_t{0}}, {"Add", std::monostate{}}, {"Count", int32_t{1}}}};
    sim.automation.classes["Scripting.FileSystemObject"] = {
        "{0D43FE01-F093-11CF-8940-00A0C9054228}", {{"Drives.Count", int32_t{1}}}};
    rbtest::CheckAutomationContract(sim.automation);
    EXPECT_EQ(sim.automation.liveObjects, 0);
    EXPECT_EQ(sim.automation.threadsLeft, 1);
}

}  // namespace
