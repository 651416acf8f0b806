// The information model of the processor, machine, memory, operating-system, display and
// device sections: their property tables are the XML format, so the tests pin what a reader
// of an old package relies on (owned objects, item classes, identifiers, widths, captions).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/collection.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/si_cpu.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/si_display.h"
#include "sysinfo/si_machine.h"
#include "sysinfo/si_memory.h"
#include "sysinfo/si_os.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

// Every class property of `obj` holds an object of its declared class, and every collection
// makes items of its item class; the same again for those objects and items.
void ExpectFullyConstructed(const Persistent& obj, const std::string& path) {
    const ClassInfo& cls = obj.Class();
    EXPECT_EQ(obj.ClassName(), cls.Name()) << path;
    for (const PropInfo& p : cls.Properties()) {
        const std::string where = path + "." + p.name;
        EXPECT_TRUE(p.getOrd || p.getStr || p.getObj) << where << " has no reader";
        if (p.kind != TypeKind::tkClass) continue;
        const Persistent* child = p.getObj(obj);
        ASSERT_NE(child, nullptr) << where;
        EXPECT_TRUE(child->InheritsFrom(*p.classInfo())) << where;
        ExpectFullyConstructed(*child, where);
    }
    if (const auto* collection = dynamic_cast<const Collection*>(&obj)) {
        const ClassInfo& itemClass = collection->ItemClass();
        ASSERT_TRUE(itemClass.CanCreate()) << path << " item " << itemClass.Name();
        const std::unique_ptr<Persistent> item = itemClass.Create();
        EXPECT_EQ(&item->Class(), &itemClass) << path << " item";
        ExpectFullyConstructed(*item, path + "[]");
    }
}

struct Sections {
    TStringCollection errors;
    TDevices devices{&errors};
    TCPU cpu{&errors};
    TMachine machine{&errors};
    TMemory memory{&errors};
    TOperatingSystem os{&errors};
    TDisplays displays{&errors, &devices};
};

TEST(HardwareSystemSections, ConstructorsCreateEveryOwnedObjectAndItemClass) {
    Sections s;
    const std::vector<const Persistent*> all = {&s.cpu,    &s.machine,  &s.memory,
                                                &s.os,     &s.displays, &s.devices};
    for (const Persistent* section : all) {
        ExpectFullyConstructed(*section, section->ClassName());
        // The XML reader makes sections and sub-objects from their class.
        ASSERT_TRUE(section->Class().CanCreate()) << section->ClassName();
        EXPECT_EQ(&section->Class().Create()->Class(), &section->Class());
    }
}

TEST(HardwareSystemSections, SubObjectsAndItemsShareTheSectionsErrorList) {
    Sections s;
    EXPECT_EQ(s.cpu.Features->ErrorList(), &s.errors);
    EXPECT_EQ(s.cpu.Cache->ErrorList(), &s.errors);
    EXPECT_EQ(s.os.TimeZone->ErrorList(), &s.errors);
    EXPECT_EQ(s.os.NTSpecific->ErrorList(), &s.errors);
    EXPECT_EQ(s.displays.AddItem<TDisplay>().ErrorList(), &s.errors);
    EXPECT_EQ(s.displays.Devices(), &s.devices);
}

TEST(HardwareSystemSections, Captions) {
    Sections s;
    EXPECT_EQ(s.cpu.Caption(), "CPU");
    EXPECT_EQ(s.machine.Caption(), "Computadora");
    EXPECT_EQ(s.memory.Caption(), "Memoria");
    EXPECT_EQ(s.os.Caption(), "Sistema Operativo");
    EXPECT_EQ(s.displays.InfoName, "Visualizadores");
    EXPECT_EQ(s.devices.InfoName, "Dispositivos");
    EXPECT_EQ(GetStrProp(s.devices, "InfoName"), "Dispositivos");  // published, so in the XML
}

std::vector<std::string> Names(const EnumInfo& info) {
    return std::vector<std::string>(info.names, info.names + info.count);
}

TEST(DeviceModel, ClassFromNameTakesTheFirstMatchingPrefix) {
    const std::pair<const char*, TDeviceClass> cases[] = {
        {"HIDClass", TDeviceClass::dcHIDClass},   {"Net", TDeviceClass::dcNet},
        {"NetService", TDeviceClass::dcNet},      {"MultiPortSerial", TDeviceClass::dcPortSerial},
        {"Monitor", TDeviceClass::dcMonitor},     {"Modem", TDeviceClass::dcModem},
        {"MEDIA", TDeviceClass::dcMEDIA},         {"Media", TDeviceClass::dcMEDIA},
        {"cdrom", TDeviceClass::dcCDROM},         {"FDC", TDeviceClass::dcfdc},
        {"USB", TDeviceClass::dcUSB},             {"Processor", TDeviceClass::dcUnknown},
        {"", TDeviceClass::dcUnknown},            {"Medium", TDeviceClass::dcUnknown},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(ClassFromName(name), expected) << '"' << name << '"';
    }
}

TEST(DeviceModel, DisplayNameFallsBackToDescriptionForBlankFriendlyName) {
    TDevice d;
    d.Description = "Adaptador de pantalla";
    d.FriendlyName = "  \t";
    EXPECT_EQ(d.DisplayName(), "Adaptador de pantalla");
    d.FriendlyName = "Radeon";
    EXPECT_EQ(d.DisplayName(), "Radeon");
}

TEST(DeviceModel, AssignCopiesEveryPublishedProperty) {
    TDevice source;
    int n = 1;
    for (const PropInfo& p : TDevice::StaticClass().Properties()) {
        if (p.IsString()) p.setStr(source, "v" + std::to_string(n));
        if (p.IsOrdinal()) p.setOrd(source, n);
        ++n;
    }
    TDevice copy;
    copy.Assign(source);
    for (const PropInfo& p : TDevice::StaticClass().Properties()) {
        if (p.IsString()) EXPECT_EQ(p.getStr(copy), p.getStr(source)) << p.name;
        if (p.IsOrdinal()) EXPECT_EQ(p.getOrd(copy), p.getOrd(source)) << p.name;
    }
    EXPECT_EQ(copy.ServiceName, source.ServiceName);  // never gathered, still copied
}

TEST(DisplayModel, FindByNamePrefersExactNameThenFirstItem) {
    TDisplays displays;
    EXPECT_EQ(displays.FindByName("x"), nullptr);
    TDisplay& first = displays.AddItem<TDisplay>();
    first.Adapter = "Uno";
    TDisplay& second = displays.AddItem<TDisplay>();
    second.Adapter = "Dos";
    EXPECT_EQ(displays.FindByName("Dos"), &second);
    EXPECT_EQ(displays.FindByName("dos"), &first);  // exact comparison
    EXPECT_EQ(displays.FindByName("Tres"), &first);
}

class HardwareSystemReports : public ::testing::Test {
protected:
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    StringList list;
};

TEST_F(HardwareSystemReports, TerminalServicesAppearTwice) {
    TNTSpecific nt;
    nt.ProductType = TNtProductType::ptAdvancedServer;
    nt.InstalledSuites = TNTSuites::FromMask(0x10);
    nt.Report(list);
    EXPECT_EQ(list.Values("ProductType"), "Advanced Server");
    int terminalOn = 0;
    for (const std::string& line : list.Lines()) terminalOn += line == "Terminal Services=1";
    EXPECT_EQ(terminalOn, 2);
    EXPECT_EQ(list.Values("Communications"), "0");
}

TEST_F(HardwareSystemReports, MemoryUsesTheUsersThousandsSeparator) {
    sim.system.locale.thousandSeparator = '.';
    TMemory memory;
    memory.PhysicalTotal = 536281088;
    memory.PageSize = 4096;
    memory.MaxAppAddress = 0x7FFEFFFF;
    memory.PageFileTotal = INT64_MIN;  // the full range of the figure, both ends
    memory.PageFileFree = INT64_MAX;
    memory.Report(list);
    EXPECT_EQ(list.Values("PhysMemTotal"), "536.281.088");
    EXPECT_EQ(list.Values("PageFileTotal"), "-9.223.372.036.854.775.808");
    EXPECT_EQ(list.Values("PageFileFree"), "9.223.372.036.854.775.807");
    EXPECT_EQ(list.Values("PhysMemFree"), "0");
    EXPECT_EQ(list.Values("PageSize"), "4.096");
    EXPECT_EQ(list.Values("MaxAppAddress"), "7FFEFFFF");
}

TEST_F(HardwareSystemReports, UngatheredTimesReportEmptyInsteadOfFailing) {
    TMachine machine;
    ASSERT_NO_THROW(machine.Report(list));
    EXPECT_EQ(list[0], "[Machine]");
    EXPECT_EQ(list.Values("System Up Time"), "");
    TOperatingSystem os;
    ASSERT_NO_THROW(os.Report(list));
    EXPECT_EQ(list.IndexOf("StdName="), list.IndexOf("[Time Zone]") + 2);
}

TEST_F(HardwareSystemReports, MachineUpTimeAsDuration) {
    TMachine machine;
    const std::pair<const char*, const char*> rows[] = {
        {"5400.4", "1 Hora, 30 Minutos, 0 Segundos."},
        // Beyond 64 bits the duration is clamped, never wrapped into a negative one.
        {"1e300",
         "2920711112 Centurias, 64 Años, 9 Meses, 4 Semanas, 1 Día, 15 Horas, 30 Minutos, "
         "7 Segundos."},
        {"-1e300",
         "-2920711112 Centurias, -64 Años, -9 Meses, -4 Semanas, -1 Días, -15 Horas, "
         "-30 Minutos, -7 Segundos."},
    };
    for (const auto& [uptime, text] : rows) {
        list.Clear();
        machine.SystemUpTime = uptime;
        machine.Report(list);
        EXPECT_EQ(list.Values("System Up Time"), text) << uptime;
    }
}

TEST_F(HardwareSystemReports, DisplayListsModesAndCapabilityBlocks) {
    TDisplay display;
    display.Modes->Add("640 x 480 - 8 bit");
    display.Modes->Add("800 x 600 - 16 bit");
    display.LineCaps = TLineCaps{TLineCap::lcPolylines, TLineCap::lcInteriors};
    display.TextCaps = TTextCaps{TTextCap::tcNoScrollUsingBlts};
    display.Report(list);
    const int modes = list.IndexOf("[Video Modes]");
    ASSERT_GE(modes, 0);
    EXPECT_EQ(list[modes + 1], "Count=2");
    EXPECT_EQ(list[modes + 3], "Mode2=800 x 600 - 16 bit");
    const int lines = list.IndexOf("[Line Capabilities]");
    ASSERT_GE(lines, 0);
    EXPECT_EQ(list[lines + 1], "Polylines=1");
    EXPECT_EQ(list[lines + 7], "Interiors=1");
    EXPECT_EQ(list[lines + 8], "[Polygonal Capabilities]");
    EXPECT_EQ(list.Values("Cannot Scroll Using Blts"), "1");
    EXPECT_EQ(list.Lines().back(), "Cannot Scroll Using Blts=1");
}

TEST_F(HardwareSystemReports, CpuReportsFeaturesInTheirOwnOrderThenCache) {
    TCPU cpu;
    cpu.Features->XSR = true;
    cpu.Cache->Level2 = 256;
    cpu.Report(list);
    const int features = list.IndexOf("[CPU Features]");
    ASSERT_GE(features, 0);
    EXPECT_EQ(list.Count() - features, 1 + 24 + 5);
    EXPECT_EQ(list[features + 5], "FXSAVE/FXRSTOR instruction=1");
    EXPECT_EQ(list[features + 7], "Serial number=0");
    EXPECT_EQ(list.Values("Level 2 Unified Cache"), "256");
}

}  // namespace
}  // namespace rb
