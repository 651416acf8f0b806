// The display section over simulated systems: adapters of both families from its own device
// tree, bounded registry texts, screen capabilities and modes, and the failure without adapter.
#include <gtest/gtest.h>

#include "device_tree_sim.h"
#include "sysinfo/si_display.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::DisplayMode;
using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;
using testing_hw::DeviceTree;
using testing_hw::SimDevice;

const auto HKLM = RootKey::LocalMachine;
const char kDisplayGuid[] = "{4D36E968-E325-11CE-BFC1-08002BE10318}";
const char kMonitorGuid[] = "{4D36E96E-E325-11CE-BFC1-08002BE10318}";

std::vector<uint8_t> Wide(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (char c : text) {
        bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(0);
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

void Screen(SimPlatform& sim) {
    sim.display.capabilities = {{8, 1024},         {10, 768},          {12, 32},     {2, 1},
                                {90, 96},          {40, 36},           {42, 36},     {44, 51},
                                {28, 0x1 | 0x100}, {38, 0x2 | 0x2000}, {34, 0x10000}};
    sim.display.modes = {DisplayMode{640, 480, 8, 60}, DisplayMode{1024, 768, 32, 60}};
}

class DisplaysTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TDisplays displays{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        displays.GetInfo();
    }
};

TEST_F(DisplaysTest, TwoNtAdaptersShareTheScreenAndReadWideTexts) {
    DeviceTree tree(sim, true);
    tree.AddClass(kDisplayGuid, "Display", "Adaptadores de pantalla");
    tree.AddClass(kMonitorGuid, "Monitor", "Monitores");
    SimDevice first{"PCI", "VEN_1", "0", kDisplayGuid, "Primera", ""};
    first.service = "vga1";
    tree.Add(first);
    tree.Add(SimDevice{"PCI", "VEN_2", "0", kDisplayGuid, "", "Segunda"});
    tree.Add(SimDevice{"DISPLAY", "MON", "0", kMonitorGuid, "", "Monitor"});
    const std::string device0 = "SYSTEM\\CurrentControlSet\\Services\\vga1\\Device0";
    sim.registry.SetBinary(HKLM, device0, "HardwareInformation.ChipType", Wide("Chip X"));
    std::vector<uint8_t> longDac = Wide(std::string(300, 'd'));
    sim.registry.SetBinary(HKLM, device0, "HardwareInformation.DacType", longDac);
    sim.registry.SetBinary(HKLM, device0, "HardwareInformation.MemorySize", {0, 0, 0, 0x80});
    std::vector<uint8_t> bios(400, 'b');  // no zero byte within the 151 read
    sim.registry.SetBinary(HKLM, "HARDWARE\\DESCRIPTION\\System", "VideoBiosVersion", bios);
    sim.registry.SetString(HKLM, "HARDWARE\\DESCRIPTION\\System", "VideoBiosDate", "01/02/03");
    Screen(sim);
    Gather();

    ASSERT_EQ(displays.Count(), 2);
    EXPECT_EQ(errors.Count(), 0);
    const TDisplay& a = *displays.FindByName("Primera");
    EXPECT_EQ(a.Chipset, "Chip X");
    EXPECT_EQ(a.DAC, std::string(128, 'd'));  // the first 255 bytes of wide text
    EXPECT_EQ(a.Memory, 2147483648LL);        // 2 GiB: never negative
    EXPECT_EQ(a.BIOSVersion, std::string(151, 'b'));
    EXPECT_EQ(a.BIOSDate, "01/02/03");
    for (int i = 0; i < 2; ++i) {
        const TDisplay& d = displays.Display(i);
        EXPECT_EQ(d.HorzRes, 1024);
        EXPECT_EQ(d.ColorDepth, 32);
        EXPECT_EQ(d.Technology, "Raster Display");
        EXPECT_EQ(d.FontResolution, 96);
        EXPECT_EQ(d.PixelDiagonal, 51);
        EXPECT_EQ(d.CurveCaps, TCurveCaps({TCurveCap::ccCircles, TCurveCap::ccRoundedRects}));
        EXPECT_EQ(d.RasterCaps,
                  TRasterCaps({TRasterCap::rcRequiresBanding, TRasterCap::rcStretchDIBits}));
        EXPECT_EQ(d.TextCaps, TTextCaps({TTextCap::tcNoScrollUsingBlts}));
        ASSERT_EQ(d.Modes->Count(), 2);
        EXPECT_EQ(d.Modes->Get(1), "1024 x 768 - 32 bit");
    }
    EXPECT_EQ(displays.FindByName("Segunda")->Chipset, "");  // no service of its own
}

struct KeyValue {
    const char* name;
    std::vector<uint8_t> data;
};
struct AdapterShown {
    std::string chip, dac;
    int64_t memory = 0;
    int errors = 0;
};

// What the section makes of one adapter of a Windows 10 machine whose service's "Device0" and
// class key (named by the instance's "Driver", when `driver` is not empty) hold these values.
AdapterShown AdapterFromKeys(const std::vector<KeyValue>& device0Values,
                             const std::vector<KeyValue>& classValues, const char* driver) {
    const std::string guid = kDisplayGuid;
    SimPlatform fresh;
    DeviceTree tree(fresh, true);
    fresh.system.version = platform::SimSystem::Windows10();
    tree.AddClass(kDisplayGuid, "Display", "Adaptadores de pantalla");
    SimDevice adapter{"PCI", "VEN_10DE", "0", kDisplayGuid, "", "Tarjeta"};
    adapter.service = "nvlddmkm";
    if (*driver) adapter.driver = guid + driver;
    tree.Add(adapter);
    const std::string device0 = "SYSTEM\\CurrentControlSet\\Services\\nvlddmkm\\Device0";
    for (const KeyValue& v : device0Values) fresh.registry.SetBinary(HKLM, device0, v.name, v.data);
    const std::string classKey = tree.ClassRoot() + "\\" + guid + "\\0001";
    for (const KeyValue& v : classValues) fresh.registry.SetBinary(HKLM, classKey, v.name, v.data);
    TStringCollection errs;
    TDisplays list(&errs);
    ScopedPlatform scope(fresh);
    list.GetInfo();
    if (list.Count() != 1) return {"", "", -1, errs.Count()};
    return {list.Display(0).Chipset, list.Display(0).DAC, list.Display(0).Memory, errs.Count()};
}

// Current drivers keep the hardware information in the adapter's class key, the texts often
// as wide binary values and memories of 4 GiB and more in "qwMemorySize"; "Device0" still
// comes first.
TEST_F(DisplaysTest, TheClassKeyFillsWhatDevice0DoesNotGive) {
    using Value = KeyValue;
    struct Row {
        const char* what;
        std::vector<Value> device0;  // the service's "Device0"
        std::vector<Value> classKey;  // the adapter's "{4d36e968-...}\\0001"
        const char* driver;           // the instance's "Driver"
        const char* chip;
        const char* dac;
        int64_t memory;
    };
    const std::vector<uint8_t> gib4{0, 0, 0, 0, 1, 0, 0, 0};
    const std::vector<uint8_t> gib2{0, 0, 0, 0x80};
    const std::vector<uint8_t> gib3{0, 0, 0, 0xC0};
    const Row rows[] = {
        {"only Device0", {{"HardwareInformation.MemorySize", gib2}}, {}, "", "", "", 2147483648},
        {"class key, wide texts, 4 GiB",
         {},
         {{"HardwareInformation.ChipType", Wide("NVIDIA GeForce GTX 1650")},
          {"HardwareInformation.DacType", {'I', 'n', 't', 'e', 'g', 'r', 'a', 'd', 'o', 0}},
          {"HardwareInformation.MemorySize", gib3},
          {"HardwareInformation.qwMemorySize", gib4}},
         "\\0001", "NVIDIA GeForce GTX 1650", "Integrado", 4294967296},
        {"an empty Device0, a doubled backslash",
         {{"Otro", {1}}},
         {{"HardwareInformation.ChipType", Wide("Intel UHD")},
          {"HardwareInformation.MemorySize", gib3}},
         "\\\\0001", "Intel UHD", "", 3221225472},
        {"each key gives its part",
         {{"HardwareInformation.ChipType", Wide("Chip antiguo")}},
         {{"HardwareInformation.ChipType", Wide("Chip nuevo")},
          {"HardwareInformation.DacType", Wide("DAC nuevo")},
          {"HardwareInformation.qwMemorySize", gib4}},
         "\\0001", "Chip antiguo", "DAC nuevo", 4294967296},
        {"no driver named", {}, {{"HardwareInformation.ChipType", Wide("Huérfano")}}, "", "", "",
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const AdapterShown shown = AdapterFromKeys(row.device0, row.classKey, row.driver);
        EXPECT_EQ(shown.errors, 0);
        EXPECT_EQ(shown.chip, row.chip);
        EXPECT_EQ(shown.dac, row.dac);
        EXPECT_EQ(shown.memory, row.memory);
    }
}

// Under display scaling the screen's device context tells a program that is not aware of it a
// scaled size and 96 dpi, while the modes list the real size; the desktop's size says what the
// screen has. (Capabilities 8, 10, 90, 118, 117: HORZRES, VERTRES, LOGPIXELSY,
// DESKTOPHORZRES, DESKTOPVERTRES.)
TEST_F(DisplaysTest, MetricsAreTheScreensOwnUnderDisplayScaling) {
    struct Row {
        const char* what;
        int32_t told[5];
        int32_t horz, vert, dpi;
    };
    const Row rows[] = {
        {"100 %", {1920, 1080, 96, 1920, 1080}, 1920, 1080, 96},
        {"125 %", {1536, 864, 96, 1920, 1080}, 1920, 1080, 120},
        {"150 %", {1280, 720, 96, 1920, 1080}, 1920, 1080, 144},
        {"175 %", {1097, 617, 96, 1920, 1080}, 1920, 1080, 168},
        {"asked in its own pixels", {2560, 1440, 144, 2560, 1440}, 2560, 1440, 144},
        {"no desktop sizes (Windows 98)", {1024, 768, 96, 0, 0}, 1024, 768, 96},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SimPlatform fresh;
        DeviceTree tree(fresh, true);
        fresh.system.version = platform::SimSystem::Windows10();
        tree.AddClass(kDisplayGuid, "Display", "Adaptadores de pantalla");
        tree.Add(SimDevice{"PCI", "VEN_1", "0", kDisplayGuid, "", "Tarjeta"});
        const int indexes[] = {8, 10, 90, 118, 117};
        for (int i = 0; i < 5; ++i) fresh.display.capabilities[indexes[i]] = row.told[i];
        fresh.display.modes = {DisplayMode{1920, 1080, 32, 60}};
        TStringCollection errs;
        TDisplays list(&errs);
        ScopedPlatform scope(fresh);
        list.GetInfo();
        ASSERT_EQ(list.Count(), 1);
        EXPECT_EQ(list.Display(0).HorzRes, row.horz);
        EXPECT_EQ(list.Display(0).VertRes, row.vert);
        EXPECT_EQ(list.Display(0).FontResolution, row.dpi);
    }
}

TEST_F(DisplaysTest, NinetyEightReadsTheInfoKey) {
    DeviceTree tree(sim, false);
    tree.AddClass(kDisplayGuid, "Display", "Adaptadores de pantalla");
    tree.Add(SimDevice{"PCI", "VEN_1", "0000", kDisplayGuid, "", "Tarjeta"});
    const char info[] = "System\\CurrentControlSet\\Services\\Class\\Display\\0000\\INFO";
    sim.registry.SetString(HKLM, info, "ChipType", "S3");
    sim.registry.SetString(HKLM, info, "DacType", "8 bit");
    sim.registry.SetInteger(HKLM, info, "VideoMemory", 4194304);
    Screen(sim);
    Gather();
    ASSERT_EQ(displays.Count(), 1);
    EXPECT_EQ(displays.Display(0).Adapter, "Tarjeta");
    EXPECT_EQ(displays.Display(0).Chipset, "S3");
    EXPECT_EQ(displays.Display(0).Memory, 4194304);
}

TEST_F(DisplaysTest, NoDisplayDeviceFailsAndLeavesTheListEmpty) {
    DeviceTree tree(sim, true);
    tree.AddClass(kMonitorGuid, "Monitor", "Monitores");
    tree.Add(SimDevice{"DISPLAY", "MON", "0", kMonitorGuid, "", "Monitor"});
    SimDevice absent{"PCI", "VEN_1", "0", kDisplayGuid, "", "Sin Control"};
    absent.present = false;
    tree.AddClass(kDisplayGuid, "Display", "Adaptadores");
    tree.Add(absent);
    ScopedPlatform scope(sim);
    try {
        displays.GetInfo();
        FAIL() << "no failure";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "No se encontró un adaptador de video válido");
    }
    EXPECT_EQ(displays.Count(), 0);
}

}  // namespace
}  // namespace rb
