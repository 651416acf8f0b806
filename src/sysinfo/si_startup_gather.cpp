// Gathering of the start-up section: the Run and RunOnce keys, the Startup folders' shortcuts
// and WIN.INI's "run" and "load" entries, in that order.
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/registry_views.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_startup.h"

namespace rb {
namespace {

// The section's prefix in the error list.
// This section's message deliberately has no separator: the text follows the name directly.
constexpr char kErrorPrefix[] = "TStartup.GetInfo";

using platform::RegView;
using platform::RootKey;

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr int kCommonStartup = 24;  // CSIDL_COMMON_STARTUP
constexpr int kUserStartup = 7;     // CSIDL_STARTUP

// The registry sources in the order they are read; the machine's keys in every view.
struct RunSource {
    RootKey root;
    const char* key;
    TRunType location;
};
const RunSource kRunSources[] = {
    {RootKey::CurrentUser, kRunKey, TRunType::rtHKCU},
    {RootKey::LocalMachine, kRunKey, TRunType::rtHKLM},
    {RootKey::CurrentUser, kRunOnceKey, TRunType::rtOnce},
    {RootKey::LocalMachine, kRunOnceKey, TRunType::rtOnce},
};

void AddItem(TStartup& startup, std::string name, std::string line, TRunType location) {
    auto& item = startup.AddItem<TStartupItem>();
    item.ProcessName = std::move(name);
    item.ProcessLine = std::move(line);
    item.Location = location;
}

// Every value of the key, named as it is; a value that is no text starts nothing readable and
// gives an empty line.
void AddRunValues(TStartup& startup, const RunSource& source, RegView view) {
    const auto key = platform::Current().Reg().OpenView(source.root, source.key, view);
    if (!key) return;
    for (const std::string& name : key->ValueNames()) {
        AddItem(startup, name, key->ReadString(name).value_or(""), source.location);
    }
}

// The shortcuts of a Startup folder, resolved to their target and arguments. A folder the
// system does not have (the common one on Windows 95/98) adds nothing.
void AddShortcuts(TStartup& startup, int csidl, TRunType location) {
    std::string folder = GetSpecialFolder(csidl);
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (folder.empty()) return;
    for (const std::string& file : platform::Current().Shell().FindFiles(folder + "\\*.lnk")) {
        std::string target, arguments;
        ResolveShortcut(folder + "\\" + file, target, arguments);
        const std::string name = file.size() >= 4 ? file.substr(0, file.size() - 4) : "";
        AddItem(startup, name, target + " " + arguments, location);
    }
}

void AddWinIniEntries(TStartup& startup) {
    for (const auto& [name, value] : platform::Current().System().ProfileSection("WIN.INI",
                                                                                "windows")) {
        if (!SameText(name, "run") && !SameText(name, "load")) continue;
        std::string line = RemoveBlanks(value);
        if (!line.empty()) AddItem(startup, name, std::move(line), TRunType::rtWinINI);
    }
}

}  // namespace

void TStartup::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [&] {
        Clear();
        const std::vector<RegView> machineViews = MachineSoftwareViews();
        for (const RunSource& source : kRunSources) {
            if (source.root == RootKey::CurrentUser) {
                AddRunValues(*this, source, RegView::Default);
                continue;
            }
            for (const RegView view : machineViews) AddRunValues(*this, source, view);
        }
        AddShortcuts(*this, kCommonStartup, TRunType::rtCommon);
        AddShortcuts(*this, kUserStartup, TRunType::rtUser);
        AddWinIniEntries(*this);
    });
}

}  // namespace rb
