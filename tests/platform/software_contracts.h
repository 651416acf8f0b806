// What the processes, services, shell-folder and profile questions must answer on any machine,
// checked against a simulation filled like a small machine and, under Wine, against the real
// calls: relations between answers, since the values differ from machine to machine.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/text.h"
#include "platform/platform.h"

namespace rbtest {

// `program` is the file name of the running program.
inline void CheckProcessesContract(rb::platform::ProcessesArea& p, const std::string& program) {
    const uint32_t self = p.CurrentProcessId();
    ASSERT_TRUE(p.ToolHelpAvailable());
    const auto snapshot = p.Snapshot();
    ASSERT_TRUE(snapshot.has_value());
    const auto own = std::find_if(snapshot->begin(), snapshot->end(),
                                  [&](const auto& e) { return e.processId == self; });
    ASSERT_NE(own, snapshot->end());
    EXPECT_TRUE(rb::SameText(own->exeFile.substr(own->exeFile.find_last_of('\\') + 1), program));
    // The running program can always be asked its own path.
    const std::string full = p.ModuleName(self, true);
    EXPECT_TRUE(full.size() > program.size() &&
                rb::SameText(full.substr(full.size() - program.size() - 1), "\\" + program))
        << full;
    EXPECT_TRUE(rb::SameText(p.ModuleName(self, false), program));
    if (p.PsapiAvailable()) {
        const auto ids = p.ProcessIds(1025);
        ASSERT_TRUE(ids.has_value());
        EXPECT_NE(std::find(ids->begin(), ids->end(), self), ids->end());
    }
    if (const auto image = p.FullImageName(self)) EXPECT_TRUE(rb::SameText(*image, full));
    EXPECT_EQ(p.ModuleName(0xFFFFFFF0u, true), "");  // no such process
}

inline void CheckServicesContract(rb::platform::ServicesArea& s) {
    const auto opening = s.OpenManager();
    ASSERT_NE(opening.manager, nullptr) << opening.error;
    EXPECT_EQ(opening.error, 0u);
    rb::platform::ServiceManager& manager = *opening.manager;
    const auto list = manager.Services();
    EXPECT_EQ(list.error, 0u);
    size_t configured = 0;
    for (const auto& entry : list.entries) {
        const auto config = manager.Configuration(entry.serviceName);
        if (!config.record) continue;
        ++configured;
        EXPECT_EQ(config.error, 0u);
        EXPECT_NE(config.record->serviceType & 0x30, 0u) << entry.serviceName;
        EXPECT_LE(config.record->startType, 4u);
        EXPECT_TRUE(manager.Status(entry.serviceName).record.has_value());
    }
    EXPECT_GT(list.entries.size(), 0u);
    EXPECT_EQ(configured, list.entries.size());  // the query rights are enough for every service
    const auto missing = manager.Configuration("rbinfo_no_such_service");
    EXPECT_EQ(missing.record, std::nullopt);
    EXPECT_EQ(missing.error, 1060u);  // ERROR_SERVICE_DOES_NOT_EXIST
    EXPECT_FALSE(s.ErrorMessage(5).empty());
}

// `folder` holds the files "b.lnk", "a.lnk" and "notas.txt"; `ini` is an initialisation file
// whose section "windows" reads "load=a b.exe" and "run=" (in that order).
inline void CheckFilesContract(rb::platform::SystemArea& system, rb::platform::ShellArea& shell,
                               const std::string& folder, const std::string& ini) {
    auto links = shell.FindFiles(folder + "\\*.lnk");
    std::sort(links.begin(), links.end());  // the search order is the file system's
    EXPECT_EQ(links, (std::vector<std::string>{"a.lnk", "b.lnk"}));
    EXPECT_EQ(shell.FindFiles(folder + "\\*.none"), std::vector<std::string>{});
    EXPECT_EQ(shell.FindFiles(folder + "\\no_such\\*.lnk"), std::vector<std::string>{});
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(system.ProfileSection(ini, "Windows"), (Pairs{{"load", "a b.exe"}, {"run", ""}}));
    EXPECT_EQ(system.ProfileSection(ini, "none"), Pairs{});
}

}  // namespace rbtest
