#include "platform/sim/sim_shell.h"

#include "core/text.h"

namespace rb::platform {

std::string SimShell::SpecialFolder(int csidl) {
    const auto it = specialFolders.find(csidl);
    return it == specialFolders.end() ? std::string() : it->second;
}

int32_t SimShell::ResolveShortcut(std::string_view file, std::string& target,
                                  std::string& arguments) {
    for (const auto& [name, link] : shortcuts) {
        if (SameText(name, file)) {
            target = link.target;
            arguments = link.arguments;
            return 0;
        }
    }
    return static_cast<int32_t>(0x80070002);  // file not found
}

void SimShell::ShellChangeNotify(int32_t event, uint32_t flags) {
    shellNotifications.emplace_back(event, flags);
}

}  // namespace rb::platform
