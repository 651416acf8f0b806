// The simulated processes, services, folder search and profile sections keep the contracts the
// real ones keep (software_areas_win32_test.cpp), and the registry views behave as 64-bit
// Windows keeps them.
#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "platform/software_contracts.h"

namespace {

using rb::platform::RegView;
using rb::platform::RootKey;
using rb::platform::SimPlatform;

TEST(SimSoftwareAreas, KeepTheContracts) {
    SimPlatform sim;
    auto& p = sim.processes;
    p.hasToolHelp = p.hasPsapi = true;
    p.snapshot = {{0, 0, 1, 0, "[System Process]"}, {p.currentProcessId, 0, 3, 8, "rbinfo.exe"}};
    p.processIds = {0, p.currentProcessId};
    p.processes[p.currentProcessId] = {"rbinfo.exe", "C:\\Kelto\\rbinfo.exe", {}, {}};
    rbtest::CheckProcessesContract(p, "rbinfo.exe");

    sim.services.pages = {{{{"a", "A", {0x10, 4}}}, 234}, {{{"b", "B", {0x20, 1}}}, 0}};
    sim.services.configs["a"] = {0x10, 2};
    sim.services.configs["b"] = {0x20, 3};
    sim.services.statuses["a"] = {0x10, 4};
    sim.services.statuses["b"] = {0x20, 1};
    rbtest::CheckServicesContract(sim.services);

    for (const char* f : {"b.lnk", "a.lnk", "notas.txt"}) sim.shell.files.push_back(std::string("C:\\I\\") + f);
    sim.shell.files.push_back("C:\\I\\no_such\\c.lnk.txt");
    sim.system.iniFiles["C:\\I\\prueba.ini"]["windows"] = {{"load", "a b.exe"}, {"run", ""}};
    rbtest::CheckFilesContract(sim.system, sim.shell, "C:\\I", "C:\\I\\prueba.ini");
}

TEST(SimSoftwareAreas, RegistryViewsOfA32BitProgramOn64BitWindows) {
    SimPlatform sim;
    const auto HKLM = RootKey::LocalMachine;
    sim.registry.SetString(HKLM, "SOFTWARE\\Kelto", "v", "64");
    sim.registry.SetString(HKLM, "SOFTWARE\\WOW6432Node\\Kelto", "v", "32");
    sim.registry.SetString(HKLM, "SYSTEM\\Kelto", "v", "shared");
    struct Row {
        bool wow64;
        RegView view;
        const char* path;
        const char* expected;
    };
    const Row rows[] = {
        {false, RegView::Default, "SOFTWARE\\Kelto", "64"},
        {true, RegView::Default, "SOFTWARE\\Kelto", "32"},
        {true, RegView::Native64, "SOFTWARE\\Kelto", "64"},
        {true, RegView::Wow32, "software\\kelto", "32"},
        {true, RegView::Wow32, "SOFTWARE\\WOW6432Node\\Kelto", "32"},  // not twice
        {true, RegView::Wow32, "SYSTEM\\Kelto", "shared"},
    };
    for (const Row& r : rows) {
        sim.registry.wow64 = r.wow64;
        const auto key = sim.registry.OpenView(HKLM, r.path, r.view);
        ASSERT_NE(key, nullptr) << r.path;
        EXPECT_EQ(key->ReadString("v"), r.expected) << r.path;
    }
}

}  // namespace
