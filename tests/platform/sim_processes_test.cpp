// The simulated processes area stands in for each family's library: psapi alone on NT 4, tool
// help alone on Windows 95/98/ME, both on 2000 and XP.
#include <gtest/gtest.h>

#include "platform/area_contracts.h"
#include "platform/sim/sim_processes.h"

namespace {

using rb::platform::SimProcesses;

constexpr uint32_t kSelf = 0x1A4;
const char kExe[] = "C:\\Archivos de programa\\Kelto\\rbInfo.exe";

SimProcesses Family(bool psapi, bool toolHelp, bool fullPathsInSnapshot) {
    SimProcesses p;
    p.hasPsapi = psapi;
    p.hasToolHelp = toolHelp;
    p.processIds = {0, 2, 0x8C, kSelf};
    p.snapshot = {{0, 0, 1, 0, "[System Process]"},
                  {kSelf, 0x8C, 3, 8, fullPathsInSnapshot ? kExe : "rbInfo.exe"}};
    p.processes[kSelf] = {"rbInfo.exe", kExe, std::nullopt, std::nullopt};
    return p;
}

TEST(SimProcesses, KeepTheContractForEachFamily) {
    const struct {
        const char* family;
        bool psapi, toolHelp, fullPaths;
    } rows[] = {
        {"NT 4", true, false, false},
        {"Windows 98", false, true, true},
        {"XP", true, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.family);
        SimProcesses p = Family(row.psapi, row.toolHelp, row.fullPaths);
        rbtest::CheckProcessesContract(p, kSelf, kExe);
    }
}

TEST(SimProcesses, PsapiLoadsOnFirstUseAndAgainAfterRelease) {
    SimProcesses p = Family(true, false, false);
    EXPECT_EQ(p.psapiLoads, 0);  // nothing happens before first use
    p.PsapiAvailable();
    p.ProcessIds(1025);
    EXPECT_EQ(p.psapiLoads, 1);
    p.ReleaseLibraries();
    EXPECT_EQ(p.releases, 1);
    EXPECT_TRUE(p.PsapiAvailable());
    EXPECT_EQ(p.psapiLoads, 2);
}

}  // namespace
