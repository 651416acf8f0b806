// The difference of two inventories, on the golden inventory read twice and edited in one of
// the two: each edit is found exactly once with its values, values of the run are left out
// unless asked for, and what only moves or is not gathered counts for nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "compare/compare_helpers.h"
#include "compare/diff.h"

namespace rb::compare {
namespace {

using Edit = std::function<void(TMSystemInfo&)>;

struct Case {
    const char* name;
    Edit edit;
    std::vector<Change> expected;
};

Change Added(const char* section, const char* list, const char* item) {
    return {ChangeKind::Added, section, list, item, "", "", item};
}
Change Removed(const char* section, const char* list, const char* item) {
    return {ChangeKind::Removed, section, list, item, "", item, ""};
}
Change Changed(const char* section, const char* list, const char* item, const char* property,
               const char* before, const char* after) {
    return {ChangeKind::Changed, section, list, item, property, before, after};
}

TServiceItem& Service(TMSystemInfo& info, int index) {
    return info.Services->Items(index);
}

std::vector<Change> DiffAfter(const Edit& edit, const DiffOptions& options = {}) {
    const auto before = test::LoadGolden();
    const auto after = test::LoadGolden();
    edit(*after->SystemInfo);
    return DiffInventories(*before->SystemInfo, *after->SystemInfo, options).changes;
}

const Case kEdits[] = {
    {"ProgramAdded", [](TMSystemInfo& i) { i.Software->Installed->Add("Visor PDF 9.1"); },
     {Added("Software", "Installed", "Visor PDF 9.1")}},
    {"ProgramUpdated",
     [](TMSystemInfo& i) { i.Software->Installed->Put(0, "Contabilidad Peña 2.2"); },
     {Changed("Software", "Installed", "Contabilidad Peña", "Version", "2.1", "2.2")}},
    {"ProgramRemoved", [](TMSystemInfo& i) { i.Software->Installed->Delete(1); },
     {Removed("Software", "Installed", "Microsoft Office XP Profesional con FrontPage")}},
    {"ServiceStartType",
     [](TMSystemInfo& i) { Service(i, 0).StartType = TStartType::stManual; },
     {Changed("Services", "", "Spooler", "StartType", "stAuto", "stManual")}},
    {"ServiceRemoved", [](TMSystemInfo& i) { i.Services->Delete(1); },
     {Removed("Services", "", "Telefonía")}},
    {"ServiceDependencyDropped", [](TMSystemInfo& i) { Service(i, 0).Dependencies->Delete(1); },
     {Changed("Services", "", "Spooler", "Dependencies", "RPCSS, http", "RPCSS")}},
    {"DiskAdded",
     [](TMSystemInfo& i) {
         TDisk& d = i.Disks->AddItem<TDisk>();
         d.SetDriveLetter("F:");
         d.MediaType = TMediaType::dtFixed;
     },
     {Added("Disks", "", "F:")}},
    {"FreeSpaceBeyondTheMargin",
     [](TMSystemInfo& i) { i.Disks->ItemAs<TDisk>(0).FreeSpace = 5000000000; },
     {Changed("Disks", "", "C:", "FreeSpace", "10240000000", "5000000000")}},
    {"MemoryChanged", [](TMSystemInfo& i) { i.Memory->PhysicalTotal = 1073741824; },
     {Changed("Memory", "", "", "PhysicalTotal", "536330240", "1073741824")}},
    // The two network devices share class and hardware identifier: the one removed is found
    // by its name, not by its place.
    {"DeviceRemoved", [](TMSystemInfo& i) { i.Devices->Delete(1); },
     {Removed("Devices", "", "Conexión de red Intel(R) PRO/100")}},
    {"DeviceDriverUpdated",
     [](TMSystemInfo& i) { i.Devices->Device(2).DriverVersion = "6.14.10.5000"; },
     {Changed("Devices", "", "Adaptador de minipuerto WAN", "DriverVersion", "6.14.10.4403",
              "6.14.10.5000")}},
    {"NestedObjectValue", [](TMSystemInfo& i) { i.OS->TimeZone->Bias = 0; },
     {Changed("OS", "", "", "TimeZone.Bias", "-60", "0")}},
    {"EnvironmentValue",
     [](TMSystemInfo& i) { i.OS->Environment->Put(0, "PATH=C:\\WINDOWS"); },
     {Changed("OS", "Environment", "PATH", "", "C:\\WINDOWS\\system32;C:\\WINDOWS",
              "C:\\WINDOWS")}},
    {"MacAddressAdded", [](TMSystemInfo& i) { i.Network->MACAddresses->Add("00-0C-29-00-00-01"); },
     {Added("Network", "MACAddresses", "00-0C-29-00-00-01")}},
    // A start-up entry that moves to another place is another entry.
    {"StartupEntryMoved",
     [](TMSystemInfo& i) { i.Startup->ItemAs<TStartupItem>(0).Location = TRunType::rtHKLM; },
     {Removed("Startup", "", "Agenda"), Added("Startup", "", "Agenda")}},
    {"RenamedComputer", [](TMSystemInfo& i) { i.Machine->Name = "CONTABILIDAD"; },
     {Changed("Machine", "", "", "Name", "OFICINA-PEÑA", "CONTABILIDAD")}},
    // Positions never count.
    {"ProgramsReordered",
     [](TMSystemInfo& i) {
         TStringCollection& p = *i.Software->Installed;
         const std::string first = p.Get(0);
         p.Delete(0);
         p.Add(first);
     },
     {}},
    {"DependenciesReordered",
     [](TMSystemInfo& i) {
         TStringCollection& d = *Service(i, 0).Dependencies;
         const std::string first = d.Get(0);
         d.Delete(0);
         d.Add(first);
     },
     {}},
    {"DevicesReordered",
     [](TMSystemInfo& i) {
         TDevice moved;
         moved.Assign(i.Devices->Device(0));
         i.Devices->Delete(0);
         i.Devices->AddItem<TDevice>().Assign(moved);
     },
     {}},
};

TEST(InventoryDiff, EachEditIsFoundExactlyOnceWithItsValues) {
    for (const Case& c : kEdits) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DiffAfter(c.edit), c.expected);
    }
}

// Programs installed more than once: equal ones pair with each other, the rest in order; a
// long run of equal items between other changes pairs whole.
TEST(InventoryDiff, ItemsSharingAKeyPairByNameThenInOrder) {
    const struct {
        std::vector<std::string> before, after;
        std::vector<Change> expected;
    } cases[] = {
        {{"Runtime 1.0", "Runtime 1.0", "Runtime 1.0"},
         {"Runtime 1.0", "Runtime 1.1"},
         {Changed("Software", "Installed", "Runtime", "Version", "1.0", "1.1"),
          Removed("Software", "Installed", "Runtime 1.0")}},
        {{"Runtime 1.0", "Runtime 2.0"}, {"Runtime 2.0", "Runtime 1.0"}, {}},
        {{"A", "Runtime 1.0", "Runtime 2.0", "B"},
         {"C", "Runtime 2.0", "Runtime 1.0", "D"},
         {Removed("Software", "Installed", "A"), Removed("Software", "Installed", "B"),
          Added("Software", "Installed", "C"), Added("Software", "Installed", "D")}},
    };
    for (const auto& c : cases) {
        const auto before = test::LoadGolden();
        const auto after = test::LoadGolden();
        for (const std::string& p : c.before) before->SystemInfo->Software->Installed->Add(p);
        for (const std::string& p : c.after) after->SystemInfo->Software->Installed->Add(p);
        EXPECT_EQ(DiffInventories(*before->SystemInfo, *after->SystemInfo).changes, c.expected);
    }
    // A thousand equal programs between an entry removed and one added at each end.
    std::vector<std::string> before = {"A"}, after = {"C"};
    before.insert(before.end(), 1000, "Runtime 1.0");
    after.insert(after.end(), 1000, "Runtime 1.0");
    before.push_back("B");
    after.push_back("D");
    const auto one = test::LoadGolden();
    const auto other = test::LoadGolden();
    for (const std::string& p : before) one->SystemInfo->Software->Installed->Add(p);
    for (const std::string& p : after) other->SystemInfo->Software->Installed->Add(p);
    EXPECT_EQ(DiffInventories(*one->SystemInfo, *other->SystemInfo).changes, cases[2].expected);
}

TEST(InventoryDiff, TheSameInventoryTwiceDiffersInNothing) {
    const auto before = test::LoadGolden();
    const auto after = test::LoadGolden();
    for (const bool includeVolatile : {false, true}) {
        const Difference d = DiffInventories(*before->SystemInfo, *after->SystemInfo,
                                             DiffOptions{includeVolatile});
        EXPECT_TRUE(d.changes.empty()) << includeVolatile;
        EXPECT_TRUE(d.skippedSections.empty()) << includeVolatile;
    }
}

// Values of the run: none by default, each one change on request.
const Case kVolatileEdits[] = {
    {"FreeMemory", [](TMSystemInfo& i) { i.Memory->PhysicalFree = 123456; },
     {Changed("Memory", "", "", "PhysicalFree", "0", "123456")}},
    {"UpTime", [](TMSystemInfo& i) { i.Machine->SystemUpTime = "5.5"; },
     {Changed("Machine", "", "", "SystemUpTime", "93784.6", "5.5")}},
    {"LastBoot", [](TMSystemInfo& i) { i.Machine->LastBoot = "39500.25"; },
     {Changed("Machine", "", "", "LastBoot", "39448.5", "39500.25")}},
    {"LockKey", [](TMSystemInfo& i) { i.Machine->CapsLock = true; },
     {Changed("Machine", "", "", "CapsLock", "False", "True")}},
    {"SummerTimeDates", [](TMSystemInfo& i) { i.OS->TimeZone->DaylightStart = "39901.08"; },
     {Changed("OS", "", "", "TimeZone.DaylightStart", "39537.083333333333", "39901.08")}},
    {"ClockWithinTheMargin", [](TMSystemInfo& i) { i.CPU->Frequency = 2793; },
     {Changed("CPU", "", "", "Frequency", "2800", "2793")}},
    {"FreeSpaceWithinTheMargin",
     [](TMSystemInfo& i) { i.Disks->ItemAs<TDisk>(0).FreeSpace = 9000000000; },
     {Changed("Disks", "", "C:", "FreeSpace", "10240000000", "9000000000")}},
    {"DiscInTheDrive",
     [](TMSystemInfo& i) { i.Disks->ItemAs<TDisk>(1).VolumeLabel = "FOTOS"; },
     {Changed("Disks", "", "E:", "VolumeLabel", "", "FOTOS")}},
    {"ServiceStopped",
     [](TMSystemInfo& i) { Service(i, 0).Status = TCurrentStatus::csStopped; },
     {Changed("Services", "", "Spooler", "Status", "csRunning", "csStopped")}},
    {"PrinterJobs",
     [](TMSystemInfo& i) { i.Printers->ItemAs<TPrinterDeviceComplete>(0).cJobs = 3; },
     {Changed("Printers", "", "HP LaserJet 1200 (Contabilidad)", "cJobs", "0", "3")}},
    {"Battery", [](TMSystemInfo& i) { i.APM->BatteryLifePercent = 20; },
     {Changed("APM", "", "", "BatteryLifePercent", "80", "20")}},
    {"NewIpAddress", [](TMSystemInfo& i) { i.Network->IPAddresses->Put(0, "192.168.1.40"); },
     {Removed("Network", "IPAddresses", "192.168.1.33"),
      Added("Network", "IPAddresses", "192.168.1.40")}},
    {"ProcessStarted",
     [](TMSystemInfo& i) {
         i.Processes->AddItem<TProcess>().Location = "C:\\WINDOWS\\notepad.exe";
     },
     {Added("Processes", "", "notepad.exe")}},
    {"ProcessIdentifier", [](TMSystemInfo& i) { i.Processes->ItemAs<TProcess>(2).Pid = 4444; },
     {Changed("Processes", "", "Explorer.EXE", "Pid", "2300", "4444")}},
    {"Timing",
     [](TMSystemInfo& i) { i.PerformanceInfo->ItemAs<TPerformanceItem>(0).TimeElapsed = 15; },
     {Changed("PerformanceInfo", "", "CPU", "TimeElapsed", "10", "15")}},
    {"NewError",
     [](TMSystemInfo& i) { i.ErrorList->Add("TDisks.GetInfo: 12:30:05 sin respuesta"); },
     {Added("ErrorList", "", "TDisks.GetInfo: 12:30:05 sin respuesta")}},
};

TEST(InventoryDiff, ValuesOfTheRunAreLeftOutUnlessAskedFor) {
    for (const Case& c : kVolatileEdits) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DiffAfter(c.edit), std::vector<Change>());
        EXPECT_EQ(DiffAfter(c.edit, DiffOptions{true}), c.expected);
    }
}

TEST(InventoryDiff, ASectionEitherDidNotGatherIsSkippedAndNamed) {
    const auto before = test::LoadGolden();
    const auto after = test::LoadGolden();
    after->SystemInfo->Software->Installed->Add("Visor PDF 9.1");
    after->SystemInfo->ProcessList.Exclude(TProcessPage::pgSoftware);
    after->SystemInfo->ProcessList.Exclude(TProcessPage::pgEng);  // engines and DirectX
    const Difference one = DiffInventories(*before->SystemInfo, *after->SystemInfo);
    const Difference other = DiffInventories(*after->SystemInfo, *before->SystemInfo);
    const std::vector<std::string> skipped = {"Engines", "DirectX", "Software"};
    EXPECT_TRUE(one.changes.empty());
    EXPECT_EQ(one.skippedSections, skipped);
    EXPECT_EQ(other.skippedSections, skipped);
}

}  // namespace
}  // namespace rb::compare
