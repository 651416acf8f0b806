// The installed-software and start-up sections against simulated systems: registry order and
// duplicates, both registry views under WOW64, per-user programs, the Startup folders' shortcuts,
// WIN.INI entries and the four-group report.
#include <gtest/gtest.h>

#include "core/string_list.h"
#include "core/text.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/si_software.h"
#include "sysinfo/si_startup.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;

const auto HKLM = RootKey::LocalMachine;
const auto HKCU = RootKey::CurrentUser;
const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kUninstall32 =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRun32 = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

void Program(SimPlatform& sim, RootKey root, const std::string& key, const std::string& sub,
             const char* name) {
    if (name) {
        sim.registry.SetString(root, key + "\\" + sub, "DisplayName", name);
    } else {
        sim.registry.SetString(root, key + "\\" + sub, "UninstallString", "x.exe /u");
    }
}

std::vector<std::string> Installed(SimPlatform& sim, TStringCollection& errors) {
    TSoftware software(&errors);
    ScopedPlatform scope(sim);
    software.GetInfo();
    return software.Installed->GetStrings().Lines();
}

TEST(SoftwareSection, KeepsEveryDisplayNameInRegistryOrder) {
    SimPlatform sim;
    Program(sim, HKLM, kUninstall, "{B}", "Visor");
    Program(sim, HKLM, kUninstall, "{A}", "Visor");  // the same name twice: both kept
    Program(sim, HKLM, kUninstall, "{C}", "");        // an empty name is still an entry
    Program(sim, HKLM, kUninstall, "KB123", nullptr);  // no display name: skipped
    Program(sim, HKCU, kUninstall, "Mine", "Solo para mí");  // per-user, after the machine's
    TStringCollection errors;
    EXPECT_EQ(Installed(sim, errors),
              (std::vector<std::string>{"Visor", "Visor", "", "Solo para mí"}));
    EXPECT_EQ(errors.Count(), 0);

    TSoftware software(&errors);
    software.Installed->SetCommaText("a,b,c");
    StringList report;
    software.Report(report);
    EXPECT_EQ(report.Lines(), (std::vector<std::string>{"[Installed Software]", "Count=3",
                                                        "Item1=a", "Item2=b", "Item3=c"}));
}

TEST(SoftwareSection, ReadsBothViewsUnderWow64AndOneElsewhere) {
    SimPlatform sim;
    Program(sim, HKLM, kUninstall, "App64", "Programa de 64 bits");
    Program(sim, HKLM, kUninstall32, "App32", "Programa de 32 bits");
    sim.registry.wow64 = true;  // a 32-bit program on 64-bit Windows...
    TStringCollection errors;
    // ...that cannot tell it is one sees only the 32-bit half,
    EXPECT_EQ(Installed(sim, errors), (std::vector<std::string>{"Programa de 32 bits"}));
    // but it can: the 64-bit half first, then the 32-bit one.
    sim.processes.processes[sim.processes.currentProcessId].wow64 = true;
    EXPECT_EQ(Installed(sim, errors),
              (std::vector<std::string>{"Programa de 64 bits", "Programa de 32 bits"}));
    // A 32-bit system: one registry, read once.
    sim.registry.wow64 = false;
    sim.processes.processes[sim.processes.currentProcessId].wow64 = false;
    EXPECT_EQ(Installed(sim, errors), (std::vector<std::string>{"Programa de 64 bits"}));
    EXPECT_EQ(errors.Count(), 0);
}

class StartupTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TStartup startup{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        startup.GetInfo();
    }
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        for (int i = 0; i < startup.Count(); ++i) {
            const auto& item = startup.ItemAs<TStartupItem>(i);
            items.push_back(Format("%d|%s|%s", static_cast<int>(item.Location),
                                   item.ProcessName.c_str(), item.ProcessLine.c_str()));
        }
        return items;
    }
};

TEST_F(StartupTest, EverySourceInItsOrder) {
    sim.system.version = platform::SimSystem::Windows98SE();
    sim.registry.SetString(HKLM, kRunOnce, "Limpieza", "clean.exe");
    sim.registry.SetString(HKCU, kRunOnce, "Primero", "first.exe");
    sim.registry.SetString(HKLM, kRun, "Agente", "C:\\agent.exe /m");
    sim.registry.SetString(HKCU, kRun, "Agente", "C:\\agent.exe /u");  // both keys: HKCU first
    sim.registry.SetInteger(HKCU, kRun, "Numero", 7);  // no text: an empty line
    sim.shell.specialFolders[24] = "C:\\Comun\\Inicio\\";  // trailing backslash dropped
    sim.shell.specialFolders[7] = "C:\\Usuario\\Inicio";
    sim.shell.AddShortcut("C:\\Comun\\Inicio\\Todos.lnk", "C:\\todos.exe", "");
    sim.shell.AddShortcut("C:\\Usuario\\Inicio\\Agent.lnk", "C:\\a.exe", "-q");
    sim.shell.files.push_back("C:\\Usuario\\Inicio\\notas.txt");  // not a shortcut
    sim.system.iniFiles["WIN.INI"]["Windows"] = {
        {"load", "a b.exe"}, {"Run", "   "}, {"device", "x"}, {"RUN", "c.exe\r\n"}};
    Gather();
    EXPECT_EQ(Items(), (std::vector<std::string>{
                           "0|Agente|C:\\agent.exe /u", "0|Numero|", "1|Agente|C:\\agent.exe /m",
                           "2|Primero|first.exe", "2|Limpieza|clean.exe",
                           "4|Todos|C:\\todos.exe ",  // the space stays without arguments
                           "3|Agent|C:\\a.exe -q", "5|load|ab.exe", "5|RUN|c.exe"}));
    EXPECT_EQ(errors.Count(), 0);

    StringList indexes;
    startup.ItemsAt(TRunType::rtOnce, indexes);
    EXPECT_EQ(indexes.Lines(), (std::vector<std::string>{"3", "4"}));

    StringList report;
    startup.Report(report);
    EXPECT_EQ(report.Lines(),
              (std::vector<std::string>{
                  "[User Startup]", "Count=1", "Agent=C:\\a.exe -q", "",  //
                  "[HKLM Run]", "Count=1", "Agente=C:\\agent.exe /m", "",  //
                  "[HKCU Run]", "Count=2", "Agente=C:\\agent.exe /u", "Numero=", "",
                  "[Run Once]", "Count=2", "Primero=first.exe", "Limpieza=clean.exe", ""}));
}

TEST_F(StartupTest, MachineRunKeysInBothViewsUnderWow64) {
    sim.registry.SetString(HKLM, kRun, "Nativo", "n64.exe");
    sim.registry.SetString(HKLM, kRun32, "Antiguo", "a32.exe");
    sim.registry.SetString(HKCU, kRun, "Usuario", "u.exe");
    sim.registry.wow64 = true;
    sim.processes.processes[sim.processes.currentProcessId].wow64 = true;
    Gather();
    EXPECT_EQ(Items(), (std::vector<std::string>{"0|Usuario|u.exe", "1|Nativo|n64.exe",
                                                 "1|Antiguo|a32.exe"}));
}

TEST_F(StartupTest, MissingSourcesAddNothingAndReportFourEmptyGroups) {
    // No common Startup folder (Windows 95/98): no search in the current drive's root.
    sim.shell.AddShortcut("\\Raiz.lnk", "C:\\raiz.exe", "");
    sim.system.iniFiles["win.ini"]["windows"] = {{"run", "x.exe"}};
    Gather();
    EXPECT_EQ(Items(), (std::vector<std::string>{"5|run|x.exe"}));
    StringList report;
    startup.Report(report);
    EXPECT_EQ(report.Count(), 12);
    for (const char* group : {"[User Startup]", "[HKLM Run]", "[HKCU Run]", "[Run Once]"}) {
        const int at = report.IndexOf(group);
        ASSERT_GE(at, 0) << group;
        EXPECT_EQ(report[at + 1], "Count=0");
    }
}

}  // namespace
}  // namespace rb
