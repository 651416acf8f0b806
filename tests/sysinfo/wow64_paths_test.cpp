// Start-up shortcuts of a 32-bit program on 64-bit Windows: the targets a 32-bit shell link maps
// to the 32-bit "Program Files" are shown as the 64-bit shell opens them.
#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/si_startup.h"
#include "sysinfo/string_collection.h"
#include "sysinfo/wow64_paths.h"

namespace rb {
namespace {

using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;

const char kVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kStartup[] = "C:\\Users\\Ana\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\"
                        "Programs\\Startup";

const std::vector<Wow64Folder> kFolders = {
    {"C:\\Program Files (x86)", "C:\\Program Files", "ProgramFiles"},
    {"C:\\Program Files (x86)\\Common Files", "C:\\Program Files\\Common Files",
     "CommonProgramFiles"},
};

TEST(Wow64Paths, LinkTextsExpandAsTheNativeShellExpandsThem) {
    const auto variable = [](std::string_view name) {
        return SameText(name, "SystemRoot") ? std::string("C:\\Windows") : std::string();
    };
    const std::pair<const char*, const char*> rows[] = {
        {"%ProgramFiles%\\App\\app.exe", "C:\\Program Files\\App\\app.exe"},
        {"%programfiles%\\App\\app.exe", "C:\\Program Files\\App\\app.exe"},
        {"%CommonProgramFiles%\\x.exe", "C:\\Program Files\\Common Files\\x.exe"},
        {"%SystemRoot%\\notepad.exe", "C:\\Windows\\notepad.exe"},
        {"%Desconocida%\\a.exe", "%Desconocida%\\a.exe"},
        {"100% seguro", "100% seguro"},
        {"C:\\sin variables.exe", "C:\\sin variables.exe"},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(ExpandAsNative(text, kFolders, variable), expected) << text;
    }
}

TEST(Wow64Paths, TheTargetIsTheFileTheShortcutOpens) {
    struct Row {
        const char* what;
        const char* target;    // as the 32-bit shell resolved it
        const char* linkText;  // the link's own text, expanded
        std::vector<std::string> files;
        const char* expected;
    };
    const Row rows[] = {
        {"the link names the 64-bit file", "C:\\Program Files (x86)\\App\\app.exe",
         "C:\\Program Files\\App\\app.exe", {}, "C:\\Program Files\\App\\app.exe"},
        {"only the 64-bit file exists", "C:\\Program Files (x86)\\App\\app.exe", "",
         {"C:\\Program Files\\App\\app.exe"}, "C:\\Program Files\\App\\app.exe"},
        {"a 32-bit program", "C:\\Program Files (x86)\\Old\\old.exe",
         "C:\\Program Files (x86)\\Old\\old.exe",
         {"C:\\Program Files (x86)\\Old\\old.exe", "C:\\Program Files\\Old\\old.exe"},
         "C:\\Program Files (x86)\\Old\\old.exe"},
        {"neither exists", "C:\\Program Files (x86)\\Ido\\ido.exe", "", {},
         "C:\\Program Files (x86)\\Ido\\ido.exe"},
        {"common files", "C:\\Program Files (x86)\\Common Files\\Kelto\\k.exe",
         "C:\\Program Files\\Common Files\\Kelto\\k.exe", {},
         "C:\\Program Files\\Common Files\\Kelto\\k.exe"},
        {"elsewhere", "C:\\Windows\\notepad.exe", "C:\\Program Files\\x.exe", {},
         "C:\\Windows\\notepad.exe"},
        {"a folder that only begins alike", "C:\\Program Files (x86)x\\a.exe",
         "C:\\Program Filesx\\a.exe", {"C:\\Program Filesx\\a.exe"},
         "C:\\Program Files (x86)x\\a.exe"},
    };
    for (const Row& row : rows) {
        const auto exists = [&](const std::string& path) {
            for (const std::string& f : row.files) {
                if (SameText(f, path)) return true;
            }
            return false;
        };
        EXPECT_EQ(ShortcutTargetAsOpened(row.target, row.linkText, kFolders, exists),
                  row.expected)
            << row.what;
    }
}

// The start-up section of one simulated 64-bit Windows 10, seen by a 32-bit program that knows
// it runs under WOW64 and by one on a 32-bit system.
TEST(Wow64Paths, StartupShortcutsShowTheTargetTheShellOpens) {
    for (const bool wow64 : {true, false}) {
        SCOPED_TRACE(wow64 ? "WOW64" : "32-bit Windows");
        SimPlatform sim;
        sim.system.version = platform::SimSystem::Windows10();
        const auto HKLM = RootKey::LocalMachine;
        sim.registry.SetString(HKLM, kVersionKey, "ProgramFilesDir", "C:\\Program Files");
        sim.registry.SetString(HKLM, kVersionKey, "ProgramFilesDir (x86)",
                               "C:\\Program Files (x86)");
        sim.registry.wow64 = wow64;
        sim.processes.processes[sim.processes.currentProcessId].wow64 = wow64;
        sim.shell.specialFolders[7] = kStartup;
        const std::string folder = std::string(kStartup) + "\\";
        sim.shell.AddShortcut(folder + "Nube.lnk", "C:\\Program Files (x86)\\Nube\\nube.exe",
                              "/min");
        sim.shell.shortcuts[folder + "Nube.lnk"].linkText = "%ProgramFiles%\\Nube\\nube.exe";
        sim.shell.AddShortcut(folder + "Agente.lnk", "C:\\Program Files (x86)\\Agente\\a.exe", "");
        sim.storage.files = {"C:\\Program Files\\Agente\\a.exe"};
        sim.shell.AddShortcut(folder + "Viejo.lnk", "C:\\Program Files (x86)\\Viejo\\v.exe", "");
        sim.storage.files.push_back("C:\\Program Files (x86)\\Viejo\\v.exe");
        TStringCollection errors;
        TStartup startup(&errors);
        ScopedPlatform scope(sim);
        startup.GetInfo();
        std::vector<std::string> lines;
        for (int i = 0; i < startup.Count(); ++i) {
            lines.push_back(startup.ItemAs<TStartupItem>(i).ProcessLine);
        }
        const std::vector<std::string> native = {"C:\\Program Files\\Nube\\nube.exe /min",
                                                 "C:\\Program Files\\Agente\\a.exe ",
                                                 "C:\\Program Files (x86)\\Viejo\\v.exe "};
        const std::vector<std::string> asResolved = {
            "C:\\Program Files (x86)\\Nube\\nube.exe /min",
            "C:\\Program Files (x86)\\Agente\\a.exe ", "C:\\Program Files (x86)\\Viejo\\v.exe "};
        EXPECT_EQ(lines, wow64 ? native : asResolved);
        EXPECT_EQ(errors.Count(), 0);
    }
}

}  // namespace
}  // namespace rb
