// Gathering of the installed-software section: the display names registered for uninstallation,
// the machine's (in both registry views under WOW64) and then the current user's.
#include "platform/platform.h"
#include "sysinfo/registry_views.h"
#include "sysinfo/si_software.h"

namespace rb {
namespace {

// The section's prefix in the error list.
// This section's message deliberately has no separator: the text follows the name directly.
constexpr char kErrorPrefix[] = "TSoftware.GetInfo";

using platform::RegView;
using platform::RootKey;

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The display names under one Uninstall key, in enumeration order; duplicates and empty names
// are kept, subkeys that cannot be opened or have no name are skipped.
void AddDisplayNames(RootKey root, RegView view, TStringCollection& names) {
    platform::Registry& reg = platform::Current().Reg();
    std::vector<std::string> subkeys;
    if (const auto key = reg.OpenView(root, kUninstallKey, view)) subkeys = key->SubKeyNames();
    for (const std::string& subkey : subkeys) {
        const auto entry = reg.OpenView(root, std::string(kUninstallKey) + "\\" + subkey, view);
        if (!entry) continue;
        if (const auto name = entry->ReadString("DisplayName")) names.Add(*name);
    }
}

}  // namespace

void TSoftware::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [&] {
        Installed->Clear();
        for (const RegView view : MachineSoftwareViews()) {
            AddDisplayNames(RootKey::LocalMachine, view, *Installed);
        }
        // Programs installed for this user only.
        AddDisplayNames(RootKey::CurrentUser, RegView::Default, *Installed);
    });
}

}  // namespace rb
