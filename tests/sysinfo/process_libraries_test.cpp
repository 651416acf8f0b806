// Dynamic loading of psapi and the tool-help entry points.
#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "sysinfo/routines.h"

namespace {

using rb::ProcessLibraries;
using rb::PsapiEntry;
using rb::ToolHelpEntry;
using rb::platform::Module;
using rb::platform::ScopedPlatform;
using rb::platform::SimPlatform;
using rb::platform::SimSystem;

std::vector<std::string> AllPsapiNames() {
    std::vector<std::string> names;
    for (int i = 0; i < static_cast<int>(PsapiEntry::Count); ++i) {
        names.push_back(ProcessLibraries::Name(static_cast<PsapiEntry>(i)));
    }
    return names;
}

// NT 4: psapi.dll present but not yet loaded; kernel32 without tool help.
SimPlatform NT4() {
    SimPlatform sim;
    sim.system.version = SimSystem::WindowsNT4(6);
    sim.system.modules["psapi.dll"] = {false, AllPsapiNames()};
    sim.system.modules["kernel32.dll"] = {true, {"GetVersionExA"}};
    return sim;
}

// Windows 98: no psapi; kernel32 with the ANSI tool-help functions only.
SimPlatform Win98() {
    SimPlatform sim;
    sim.system.version = SimSystem::Windows98SE();
    sim.system.modules["kernel32.dll"] = {true, {"CreateToolhelp32Snapshot", "Process32First",
                                          "Process32Next", "Module32First", "Module32Next"}};
    return sim;
}

TEST(ProcessLibraries, NT4UsesPsapi) {
    SimPlatform sim = NT4();
    ScopedPlatform scope(sim);
    ProcessLibraries libs;
    EXPECT_TRUE(libs.PsapiAvailable());
    EXPECT_NE(libs.Psapi(PsapiEntry::GetModuleFileNameExA), nullptr);
    EXPECT_NE(libs.Psapi(PsapiEntry::GetProcessMemoryInfo), nullptr);
    EXPECT_FALSE(libs.ToolHelpAvailable());
}

TEST(ProcessLibraries, Windows98UsesToolHelp) {
    SimPlatform sim = Win98();
    ScopedPlatform scope(sim);
    ProcessLibraries libs;
    EXPECT_FALSE(libs.PsapiAvailable());
    EXPECT_TRUE(libs.ToolHelpAvailable());
    EXPECT_NE(libs.ToolHelp(ToolHelpEntry::Process32Next), nullptr);
    EXPECT_EQ(libs.ToolHelp(ToolHelpEntry::Process32FirstW), nullptr);
}

TEST(ProcessLibraries, NeedTheirKeyEntryPointAndALoadedKernel) {
    SimPlatform sim = NT4();
    sim.system.modules["psapi.dll"].symbols = {"EnumProcessModules"};
    sim.system.modules["kernel32.dll"] = {false, {"CreateToolhelp32Snapshot"}};
    ScopedPlatform scope(sim);
    ProcessLibraries libs;
    EXPECT_FALSE(libs.PsapiAvailable());
    EXPECT_FALSE(libs.ToolHelpAvailable());  // kernel32 is only taken when already there
}

TEST(ProcessLibraries, FollowTheCurrentPlatform) {
    ProcessLibraries libs;
    SimPlatform nt4 = NT4();
    {
        ScopedPlatform scope(nt4);
        EXPECT_TRUE(libs.PsapiAvailable());
    }
    SimPlatform w98 = Win98();
    ScopedPlatform scope(w98);
    EXPECT_FALSE(libs.PsapiAvailable());
    EXPECT_TRUE(libs.ToolHelpAvailable());
}

// Counts the loads, and can hand out a psapi whose look-ups fail.
class LoadCountingSystem : public rb::platform::SimSystem {
public:
    class FailingModule : public Module {
    public:
        uintptr_t Handle() const override { return 0x7C80ABCD; }
        void* Symbol(const char*) const override { throw std::runtime_error("access violation"); }
    };
    std::unique_ptr<Module> LoadModule(std::string_view name, bool onlyIfLoaded) override {
        if (!onlyIfLoaded) ++loads;
        if (failing && name == "psapi.dll") return std::make_unique<FailingModule>();
        return SimSystem::LoadModule(name, onlyIfLoaded);
    }
    int loads = 0;
    bool failing = false;
};

class LoadCountingPlatform : public SimPlatform {
public:
    LoadCountingSystem system;
    rb::platform::SystemArea& System() override { return system; }
};

TEST(ProcessLibraries, LoadOnceUntilReleased) {
    LoadCountingPlatform sim;
    sim.system.modules["psapi.dll"] = {false, AllPsapiNames()};
    ScopedPlatform scope(sim);
    ProcessLibraries libs;
    EXPECT_EQ(sim.system.loads, 0);  // nothing happens before first use
    libs.PsapiAvailable();
    libs.Psapi(PsapiEntry::EnumProcessModules);
    EXPECT_EQ(sim.system.loads, 1);
    libs.Release();
    EXPECT_TRUE(libs.PsapiAvailable());
    EXPECT_EQ(sim.system.loads, 2);
}

TEST(ProcessLibraries, AFailedLookUpNamesTheModuleHandle) {
    LoadCountingPlatform sim;
    sim.system.failing = true;
    ScopedPlatform scope(sim);
    ProcessLibraries libs;
    try {
        libs.PsapiAvailable();
        FAIL() << "no error";
    } catch (const rb::Exception& e) {
        EXPECT_STREQ(e.what(), "Unload Error: psapi.dll (7C80ABCD)");
    }
    EXPECT_FALSE(libs.PsapiAvailable());  // not tried again
}

}  // namespace
