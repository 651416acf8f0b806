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

std::string SimShell::ShortcutLinkText(std::string_view file) {
    for (const auto& [name, link] : shortcuts) {
        if (SameText(name, file)) return link.linkText;
    }
    return "";
}

void SimShell::AddShortcut(const std::string& path, std::string target, std::string arguments) {
    shortcuts[path] = Shortcut{std::move(target), std::move(arguments), ""};
    files.push_back(path);
}

namespace {

// "*" and "?" as the file system takes them, without regard to case.
bool Matches(std::string_view mask, std::string_view name) {
    if (mask.empty()) return name.empty();
    if (mask[0] == '*') {
        for (size_t skip = 0; skip <= name.size(); ++skip) {
            if (Matches(mask.substr(1), name.substr(skip))) return true;
        }
        return false;
    }
    if (name.empty()) return false;
    const bool same = mask[0] == '?' || SameText(mask.substr(0, 1), name.substr(0, 1));
    return same && Matches(mask.substr(1), name.substr(1));
}

}  // namespace

std::vector<std::string> SimShell::FindFiles(std::string_view pattern) {
    const size_t cut = pattern.rfind('\\');
    const std::string_view folder = pattern.substr(0, cut + 1);
    const std::string_view mask = pattern.substr(cut + 1);
    std::vector<std::string> found;
    for (const std::string& file : files) {
        const size_t slash = file.rfind('\\');
        const std::string_view name = std::string_view(file).substr(slash + 1);
        if (SameText(file.substr(0, slash + 1), folder) && Matches(mask, name)) {
            found.emplace_back(name);
        }
    }
    return found;
}

std::string SimShell::IndirectString(std::string_view reference) {
    indirectAsked.emplace_back(reference);
    for (const auto& [name, text] : indirectStrings) {
        if (SameText(name, reference)) return text;
    }
    return "";
}

void SimShell::ShellChangeNotify(int32_t event, uint32_t flags) {
    shellNotifications.emplace_back(event, flags);
}

}  // namespace rb::platform
