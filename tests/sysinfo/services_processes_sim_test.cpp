// The services and processes sections against simulated systems: enumeration pages, the
// mappings of the system's numbers, failures recorded per service, and the two ways of listing
// processes with their names on each family.
#include <gtest/gtest.h>

#include "core/string_list.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/si_processes.h"
#include "sysinfo/si_services.h"
#include "sysinfo/si_services_decode.h"
#include "sysinfo/string_collection.h"
#include "sysinfo/msystem_info.h"
#include "xml/sys_info_xml.h"

namespace rb {
namespace {

using platform::ScopedPlatform;
using platform::ServiceConfig;
using platform::ServiceEntry;
using platform::SimPlatform;
using platform::SimSystem;

ServiceEntry Entry(const std::string& name, uint32_t type = 0x10, uint32_t state = 4) {
    ServiceEntry e{name, name + " (mostrado)", {}};
    e.status = {type, state, 5, 0, 0, 0, 0};
    return e;
}

class ServicesTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TServicesCollection services{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        services.GetInfo();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < services.Count(); ++i) names.push_back(services.Items(i).ServiceName);
        return names;
    }
    void Configure(const std::string& name, ServiceConfig c) { sim.services.configs[name] = c; }
};

TEST_F(ServicesTest, EveryPageKeepsItsServicesOnceAndInOrder) {
    sim.services.pages = {{{Entry("a"), Entry("b")}, 234},
                          {{Entry(""), Entry("c")}, 234},  // a nameless entry is no service
                          {{Entry("d")}, 0}};
    for (const char* name : {"a", "b", "c", "d"}) Configure(name, {0x10, 2, 1, 0});
    Gather();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();
}

TEST_F(ServicesTest, ConfigurationAndStatusFillTheItem) {
    sim.services.pages = {{{Entry("Spooler", 0x110, 1)}, 0}};
    ServiceConfig c{0x110, 3, 2, 7, "C:\\WINDOWS\\spoolsv.exe", "SpoolerGroup", "LocalSystem",
                    "Cola de impresión", {"RPCSS", "+TDI"}};
    Configure("Spooler", c);
    sim.services.statuses["Spooler"] = {0x110, 4, 1, 0, 0, 0, 0};
    Gather();
    ASSERT_EQ(services.Count(), 1);
    const TServiceItem& s = services.Items(0);
    EXPECT_EQ(s.DisplayName, "Cola de impresión");
    EXPECT_EQ(s.BinaryPathName, "C:\\WINDOWS\\spoolsv.exe");
    EXPECT_EQ(s.LoadOrder, "SpoolerGroup");
    EXPECT_EQ(s.TagId, 7);
    EXPECT_EQ(s.ServiceStartName, "LocalSystem");
    EXPECT_EQ(s.StartType, TStartType::stManual);
    EXPECT_EQ(s.ErrorControl, TErrorSeverity::esSevere);
    EXPECT_EQ(s.Status, TCurrentStatus::csRunning);  // the moment's, not the enumeration's
    EXPECT_EQ(s.Dependencies->CommaText(), "RPCSS,+TDI");
    EXPECT_EQ(s.ControlsAccepted, ControlsAcceptedOf(5));

    // In the document the interactive own-process service reads as both members.
    TXMLSysInfo doc;
    doc.SystemInfo->ProcessList = TProcessPages{TProcessPage::pgServices};
    {
        ScopedPlatform scope(sim);
        doc.SystemInfo->Refresh();
    }
    const std::string xml = doc.SaveXML();
    EXPECT_NE(xml.find("WIN32_OWN_PROCESS,INTERACTIVE_PROCESS"), std::string::npos) << xml;
}

TEST_F(ServicesTest, AServiceThatCannotBeQueriedIsRecordedAndTheListGoesOn) {
    sim.services.pages = {{{Entry("a"), Entry("secreto"), Entry("c")}, 0}};
    Configure("a", {0x10, 2, 1, 0});
    Configure("c", {0x20, 4, 0, 0});
    Gather();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "secreto", "c"}));
    EXPECT_EQ(services.Items(1).DisplayName, "secreto (mostrado)");  // from the enumeration
    EXPECT_EQ(services.Items(2).StartType, TStartType::stDisabled);
    EXPECT_EQ(errors.CommaText(), "\"Servicios: 1060: El servicio especificado no existe.\"");
}

TEST_F(ServicesTest, AManagerThatCannotBeOpenedListsNothing) {
    sim.services.openError = 5;
    sim.services.messages[5] = "Acceso denegado.\r\n";  // as the system ends its texts
    services.AddItem<TServiceItem>();
    Gather();
    EXPECT_EQ(services.Count(), 0);
    ASSERT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.Get(0), "Servicios: 5: Acceso denegado.");
}

TEST_F(ServicesTest, AFailingLastPageIsRecordedAfterItsServices) {
    sim.services.pages = {{{Entry("a")}, 234}, {{}, 5}};
    Configure("a", {0x10, 2, 1, 0});
    Gather();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(errors.CommaText(), "\"Servicios: 5: Acceso denegado.\"");
}

// A manager that keeps answering "more data" with nothing and does not move on is asked once
// more, not for ever; what came before stays and the stalled answer is recorded.
TEST_F(ServicesTest, AManagerThatDoesNotMoveOnIsLeft) {
    sim.services.pages = {{{Entry("a")}, 234}, {{}, 234}};
    sim.services.stallAt = 1;
    Configure("a", {0x10, 2, 1, 0});
    Gather();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(sim.services.asked, 2);
    EXPECT_EQ(errors.CommaText(), "\"Servicios: 234: \"");
}

TEST(ServicesDecode, SystemNumbersMapToTheSectionsMembers) {
    struct Row {
        uint32_t value;
        TCurrentStatus status;
        TStartType start;
        TErrorSeverity severity;
    };
    using CS = TCurrentStatus;
    using ST = TStartType;
    using ES = TErrorSeverity;
    const Row rows[] = {
        {0, CS::csStopped, ST::stBoot, ES::esIgnore},
        {1, CS::csStopped, ST::stSystem, ES::esNormal},
        {2, CS::csStartPending, ST::stAuto, ES::esSevere},
        {3, CS::csStopPending, ST::stManual, ES::esCritical},
        {4, CS::csRunning, ST::stDisabled, ES::esNormal},
        {7, CS::csPaused, ST::stManual, ES::esNormal},
        {8, CS::csStopped, ST::stManual, ES::esNormal},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.value);
        EXPECT_EQ(CurrentStatusOf(r.value), r.status);
        EXPECT_EQ(StartTypeOf(r.value), r.start);
        EXPECT_EQ(ErrorSeverityOf(r.value), r.severity);
    }
    EXPECT_EQ(ServiceTypesOf(0x13F).Mask(), 0x7Fu);
    EXPECT_EQ(ServiceTypesOf(0xC0).Mask(), 0u);  // bits above 5 but the interactive one
    EXPECT_EQ(ControlsAcceptedOf(0xFF).Mask(), 0x7u);
}

class ProcessesTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TProcesses processes{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        processes.GetInfo();
    }
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        for (int i = 0; i < processes.Count(); ++i) {
            const auto& p = processes.ItemAs<TProcess>(i);
            items.push_back(std::to_string(p.Pid) + "=" + p.Location);
        }
        return items;
    }
    void Snapshot(std::initializer_list<std::pair<uint32_t, const char*>> entries) {
        sim.processes.hasToolHelp = true;
        for (const auto& [pid, file] : entries) sim.processes.snapshot.push_back({pid, 0, 1, 8, file});
    }
};

TEST_F(ProcessesTest, NT4TakesThePsapiListAndLeavesOutWhatCannotBeOpened) {
    sim.system.version = SimSystem::WindowsNT4(6);
    sim.processes.hasPsapi = true;
    sim.processes.processIds = {0, 2, 25, 31, 40};
    sim.processes.processes[25] = {"SMSS.EXE", "C:\\WINNT\\system32\\smss.exe", {}, {}};
    sim.processes.processes[40] = {"", "", {}, {}};  // answers nothing
    Gather();
    EXPECT_EQ(Items(), (std::vector<std::string>{"0=System Idle Process", "2=System Process",
                                                 "25=C:\\WINNT\\system32\\smss.exe"}));
    EXPECT_TRUE(processes.WasNT());
}

TEST_F(ProcessesTest, EachFamilyNamesTheSnapshotsProcesses) {
    struct Row {
        platform::OsVersion version;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        // Windows 98: the snapshot's full paths as they are.
        {SimSystem::Windows98SE(),
         {"0=System Idle Process", "4=System", "200=C:\\WINDOWS\\EXPLORER.EXE", "300=prot.exe",
          "400=vista.exe"}},
        // XP: the module's path where the process can be read, else the snapshot's name.
        {SimSystem::WindowsXP(),
         {"0=System Idle Process", "4=System", "200=C:\\WINDOWS\\explorer.exe", "300=prot.exe",
          "400=vista.exe"}},
        // A later NT (kind 0): the same, and the limited query's path where there is one.
        {platform::OsVersion{10, 0, 19045, 2, "", true},
         {"0=System Idle Process", "4=System", "200=C:\\WINDOWS\\explorer.exe",
          "300=C:\\Prot\\prot.exe", "400=vista.exe"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.version.major);
        sim.processes.snapshot.clear();
        sim.processes.processes.clear();
        sim.system.version = row.version;
        sim.processes.hasPsapi = row.version.platformId == 2;
        Snapshot({{0, "[System Process]"}, {4, "System"}, {200, "C:\\WINDOWS\\EXPLORER.EXE"},
                  {300, "prot.exe"}, {400, "vista.exe"}});
        if (row.version.platformId == 2) {
            sim.processes.snapshot[2].exeFile = "explorer.exe";
            sim.processes.processes[200] = {"explorer.exe", "C:\\WINDOWS\\explorer.exe", {}, {}};
            if (row.version.major >= 6) {
                sim.processes.processes[300].imageName = "C:\\Prot\\prot.exe";
            }
        }
        processes.Clear();
        Gather();
        EXPECT_EQ(Items(), row.expected);
        EXPECT_EQ(errors.Count(), 0);
    }
}

// The 32-bit program on 64-bit Windows: from NT 6 on the image name comes first, whatever the
// module query of a 64-bit process answers; before, the module's path.
TEST_F(ProcessesTest, FromVistaOnTheImageNameIsAskedFirst) {
    struct Row {
        const char* what;
        platform::OsVersion told;
        std::optional<platform::OsVersion> kernel;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"10 under WOW64",
         SimSystem::Windows8Compatibility(),
         SimSystem::Windows10(),
         {"500=C:\\Windows\\System32\\notepad.exe", "600=C:\\Archivos (x86)\\app.exe",
          "700=C:\\Windows\\solo_modulo.exe", "800=nada.exe"}},
        {"XP",
         SimSystem::WindowsXP(),
         SimSystem::WindowsXP(),
         {"500=C:\\Windows\\SysWOW64\\notepad.exe", "600=C:\\Archivos (x86)\\app.exe",
          "700=C:\\Windows\\solo_modulo.exe", "800=nada.exe"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        sim.processes.snapshot.clear();
        sim.processes.processes.clear();
        sim.system.version = row.told;
        sim.system.kernelVersion = row.kernel;
        sim.processes.hasPsapi = true;
        Snapshot({{500, "notepad.exe"}, {600, "app.exe"}, {700, "solo_modulo.exe"},
                  {800, "nada.exe"}});
        // A 64-bit process: the 32-bit module query answers a path that is not its image.
        sim.processes.processes[500] = {"notepad.exe", "C:\\Windows\\SysWOW64\\notepad.exe",
                                        "C:\\Windows\\System32\\notepad.exe", false};
        sim.processes.processes[600] = {"app.exe", "C:\\Archivos (x86)\\app.exe",
                                        "C:\\Archivos (x86)\\app.exe", true};
        sim.processes.processes[700] = {"solo_modulo.exe", "C:\\Windows\\solo_modulo.exe", {}, {}};
        processes.Clear();
        Gather();
        EXPECT_EQ(Items(), row.expected);
        EXPECT_EQ(errors.Count(), 0);
    }
}

TEST_F(ProcessesTest, TheReportNamesEachProcessByItsFile) {
    auto& p = processes.AddItem<TProcess>();
    p.Pid = 4;
    p.Location = "C:\\WINDOWS\\EXPLORER.EXE";
    StringList report;
    processes.Report(report);
    EXPECT_EQ(report.Lines(), (std::vector<std::string>{"[Processes]", "Count=1", "4=EXPLORER.EXE"}));
}

}  // namespace
}  // namespace rb
