// Information model of the network, disks, media, engines, power, DirectX, processes, printers,
// software, start-up and services sections: what the XML document depends on.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/persistent.h"
#include "sysinfo/si_apm.h"
#include "sysinfo/si_directx.h"
#include "sysinfo/si_disk.h"
#include "sysinfo/si_engines.h"
#include "sysinfo/si_media.h"
#include "sysinfo/si_network.h"
#include "sysinfo/si_printers.h"
#include "sysinfo/si_processes.h"
#include "sysinfo/si_services.h"
#include "sysinfo/si_software.h"
#include "sysinfo/si_startup.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

struct SectionCase {
    std::function<std::unique_ptr<Persistent>(TStringCollection*)> make;
    const char* caption;
};

template <class T>
std::unique_ptr<Persistent> Make(TStringCollection* errors) {
    return std::make_unique<T>(errors);
}
template <class T>
std::unique_ptr<Persistent> MakeWithDevices(TStringCollection* errors) {
    return std::make_unique<T>(errors, nullptr);
}

const SectionCase kSections[] = {
    {MakeWithDevices<TNetwork>, "Red"},
    {Make<TDisks>, "Discos"},
    {MakeWithDevices<TMedia>, "Media"},
    {Make<TEngines>, "Motores"},
    {Make<TAPM>, "APM"},
    {Make<TDirectX>, "DirectX"},
    {Make<TProcesses>, "Procesos"},
    {Make<TPrinters>, "Impresoras"},
    {Make<TSoftware>, "Software"},
    {Make<TStartup>, "Inicio"},
    {Make<TServicesCollection>, "Servicios"},
};

// Every object property is there after construction (the writer skips nil ones, the reader
// never creates them), and every collection's item class can make its items.
void ExpectOwnedObjects(const Persistent& obj, const std::string& path) {
    for (const PropInfo& p : obj.Class().Properties()) {
        if (p.kind != TypeKind::tkClass) continue;
        const Persistent* child = p.getObj(obj);
        ASSERT_NE(child, nullptr) << path << "." << p.name;
        EXPECT_TRUE(child->InheritsFrom(*p.classInfo())) << path << "." << p.name;
        ExpectOwnedObjects(*child, path + "." + p.name);
    }
    if (const auto* c = dynamic_cast<const Collection*>(&obj)) {
        ASSERT_TRUE(c->ItemClass().CanCreate()) << path;
        const auto item = c->ItemClass().Create();
        EXPECT_EQ(&item->Class(), &c->ItemClass()) << path;
        ExpectOwnedObjects(*item, path + "[]");
    }
}

TEST(PeripheralsSoftwareSections, ConstructorsCreateEveryOwnedObjectAndCaption) {
    TStringCollection errors;
    for (const SectionCase& s : kSections) {
        const auto section = s.make(&errors);
        ExpectOwnedObjects(*section, section->ClassName());
        EXPECT_EQ(dynamic_cast<InfoSection&>(*section).Caption(), s.caption);
        if (dynamic_cast<TInfoProcessCollection*>(section.get())) {
            EXPECT_EQ(GetStrProp(*section, "InfoName"), s.caption);
        }
    }
}

TEST(PeripheralsSoftwareSections, DriveLetterIsAShortStringOfTwo) {
    TDisk disk;
    SetStrProp(disk, "DriveLetter", "C:\\");
    EXPECT_EQ(disk.DriveLetter, "C:");
    EXPECT_EQ(disk.DisplayName(), "C:");
}

TEST(PeripheralsSoftwareSections, DisplayNames) {
    TMediaItem media;
    media.ProductName = "SB Live";
    media.DriverVersion = 0x0105;
    EXPECT_EQ(media.DisplayName(), "SB Live v1.5");

    TPrinterDeviceComplete remote;
    remote.ServerName = "\\\\SRV";
    remote.PrinterName = "\\\\SRV\\HP";
    EXPECT_EQ(remote.DisplayName(), "HP en SRV");
    TPrinterDeviceComplete local;
    local.PrinterName = "HP LaserJet";
    EXPECT_EQ(local.DisplayName(), "HP LaserJet");

    TProcess process;
    process.Location = "C:\\WINDOWS\\EXPLORER.EXE";
    EXPECT_EQ(process.DisplayName(), "EXPLORER.EXE");
}

TEST(PeripheralsSoftwareReports, MediaNumbersItemsByPositionInTheWholeCollection) {
    TMedia media;
    media.Append(std::make_unique<TWOCMediaItem>());
    auto& in = static_cast<TWICMediaItem&>(media.Append(std::make_unique<TWICMediaItem>()));
    in.ProductName = "Mic";
    in.DriverVersion = 0x0200;
    StringList report;
    media.Report(report);
    EXPECT_GE(report.IndexOf("Wave In2=Mic v2.0"), 0);
    EXPECT_GE(report.IndexOf("[Sound]"), 0);
}

TEST(PeripheralsSoftwareReports, StartupLeavesOutCommonFolderAndWinIni) {
    TStartup startup;
    auto& item = startup.AddItem<TStartupItem>();
    item.ProcessName = "run";
    item.ProcessLine = "ab.exe";
    item.Location = TRunType::rtWinINI;
    StringList report;
    startup.Report(report);
    const std::vector<std::string> expected = {
        "[User Startup]", "Count=0", "", "[HKLM Run]", "Count=0", "",
        "[HKCU Run]",     "Count=0", "", "[Run Once]", "Count=0", ""};
    EXPECT_EQ(report.Lines(), expected);
}

TEST(PeripheralsSoftwareReports, BatteryTimesOnlyWithAKnownCharge) {
    TAPM apm;
    StringList report;
    apm.BatteryLifePercent = 255;
    apm.BatteryChargeStatus = TBatteryStatus::bsNoBattery;
    apm.Report(report);
    const std::vector<std::string> expected = {
        "[Advanced Power Management]", "ACPowerStatus=Unknown", "BatteryChargeStatus=No Battery"};
    EXPECT_EQ(report.Lines(), expected);
    report.Clear();
    apm.BatteryLifePercent = 0;  // what a failed status call leaves
    apm.Report(report);
    ASSERT_EQ(report.Count(), 5);
    EXPECT_EQ(report[3].rfind("BattreyLifeFullTime=", 0), 0u);
}

TEST(PeripheralsSoftwareReports, HeadingsWithoutValues) {
    TEngines engines;
    engines.ODBC = "3.520.7713.0";
    StringList report;
    engines.Report(report);
    const std::vector<std::string> expected = {"[ODBC]", "Version=3.520.7713.0", "[BDE]", "[DAO]",
                                               "[ADO]"};
    EXPECT_EQ(report.Lines(), expected);

    TDirectX directx;
    StringList dx;
    directx.Direct3D->Add("HAL");
    directx.Report(dx);
    EXPECT_EQ(dx.Lines(), std::vector<std::string>{"[DirectX]"});
}

TEST(PeripheralsSoftwareReports, ProcessesPrintersAndWinsockLines) {
    TProcesses processes;
    auto& p = processes.AddItem<TProcess>();
    p.Pid = 4;
    p.Location = "C:\\WINDOWS\\EXPLORER.EXE";
    StringList report;
    processes.Report(report);
    EXPECT_EQ(report.Lines(),
              (std::vector<std::string>{"[Processes]", "Count=1", "4=EXPLORER.EXE"}));

    TPrinters printers;
    printers.AddItem<TPrinterDeviceComplete>().PrinterName = "A";
    auto& b = printers.AddItem<TPrinterDeviceComplete>();
    b.PrinterName = "B";
    b.PortName = "LPT1:";
    printers.DefaultIndex = 1;
    report.Clear();
    printers.Report(report);
    EXPECT_EQ(report.Lines(),
              (std::vector<std::string>{"[Printers]", "Count=2", "A on =0", "B on LPT1:=1"}));

    TNetwork network;
    network.WinSock->MajorVersion = 2;
    network.WinSock->MinorVersion = 2;
    report.Clear();
    network.Report(report);
    EXPECT_GE(report.IndexOf("Version=2.2"), 0);
    EXPECT_EQ(report[0], "[Network]");
}

}  // namespace
}  // namespace rb
