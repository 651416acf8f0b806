// The four software sections against the real system (under Wine in the test runs): uninstall
// entries, start-up entries, processes with full paths and services with their configuration,
// all without error lines.
#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/si_processes.h"
#include "sysinfo/si_services.h"
#include "sysinfo/si_software.h"
#include "sysinfo/si_startup.h"
#include "sysinfo/string_collection.h"

// Last, so that its A/W macros do not rename members of the project's headers.
#include <windows.h>

namespace {

const char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

TEST(SoftwareSectionsWin32, InstalledSoftwareListsTheUninstallEntries) {
    // A program registered for this user, so that even an empty prefix has one.
    auto& reg = rb::platform::Current().Reg();
    const std::string entry = std::string(kUninstall) + "\\rbInfoPrueba";
    reg.Create(rb::platform::RootKey::CurrentUser, entry)->WriteString("DisplayName",
                                                                        "rbInfo prueba");
    rb::TStringCollection errors;
    rb::TSoftware software(&errors);
    software.GetInfo();
    ::RegDeleteKeyA(HKEY_CURRENT_USER, entry.c_str());
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();
    ASSERT_GE(software.Installed->Count(), 1);
    EXPECT_EQ(software.Installed->Get(software.Installed->Count() - 1), "rbInfo prueba");
}

TEST(SoftwareSectionsWin32, StartupGathersWithoutErrors) {
    rb::TStringCollection errors;
    rb::TStartup startup(&errors);
    startup.GetInfo();
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();
    for (int i = 0; i < startup.Count(); ++i) {
        EXPECT_FALSE(startup.ItemAs<rb::TStartupItem>(i).ProcessName.empty());
    }
}

TEST(SoftwareSectionsWin32, ProcessesHaveFullPathsAndThisProgramIsAmongThem) {
    rb::TStringCollection errors;
    rb::TProcesses processes(&errors);
    processes.GetInfo();
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    bool found = false;
    for (int i = 0; i < processes.Count(); ++i) {
        const auto& p = processes.ItemAs<rb::TProcess>(i);
        if (p.Pid == static_cast<int32_t>(::GetCurrentProcessId())) {
            found = true;
            EXPECT_TRUE(rb::SameText(p.Location, self)) << p.Location;
        }
        if (p.Pid != 0) EXPECT_NE(p.Location.find('\\'), std::string::npos) << p.Location;
    }
    EXPECT_TRUE(found);
}

TEST(SoftwareSectionsWin32, ServicesHaveTheirConfiguration) {
    rb::TStringCollection errors;
    rb::TServicesCollection services(&errors);
    services.GetInfo();
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();
    ASSERT_GE(services.Count(), 1);
    int running = 0;
    for (int i = 0; i < services.Count(); ++i) {
        const rb::TServiceItem& s = services.Items(i);
        SCOPED_TRACE(s.ServiceName);
        EXPECT_FALSE(s.BinaryPathName.empty());
        EXPECT_FALSE(s.ServiceType.Empty());
        if (s.Status == rb::TCurrentStatus::csRunning) ++running;
    }
    EXPECT_GE(running, 1);  // at least the services Wine itself starts
}

}  // namespace
