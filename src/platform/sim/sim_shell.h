// The simulated shell: folders and shortcuts the test sets, notifications it can inspect.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell.h"

namespace rb::platform {

class SimShell : public ShellArea {
public:
    std::map<int, std::string> specialFolders;
    struct Shortcut {
        std::string target;     // as the shell resolves it
        std::string arguments;
        std::string linkText;   // what ShortcutLinkText answers
    };
    std::map<std::string, Shortcut> shortcuts;  // by full path
    // Files by full path, in search order (AddShortcut adds one too).
    std::vector<std::string> files;
    void AddShortcut(const std::string& path, std::string target, std::string arguments);
    std::vector<std::pair<int32_t, uint32_t>> shellNotifications;

    std::string SpecialFolder(int csidl) override;
    int32_t ResolveShortcut(std::string_view file, std::string& target,
                            std::string& arguments) override;
    std::string ShortcutLinkText(std::string_view file) override;
    std::vector<std::string> FindFiles(std::string_view pattern) override;
    void ShellChangeNotify(int32_t event, uint32_t flags) override;
    bool ShowFileProperties(uintptr_t, std::string_view) override { return true; }
    std::vector<std::string> openedUrls;  // what OpenUrl was asked to open, in order
    bool OpenUrl(std::string_view url) override {
        openedUrls.emplace_back(url);
        return true;
    }
    // The string loader's answers by reference (compared without regard to case); a reference
    // not listed loads nothing, as on a system without the loader.
    std::map<std::string, std::string> indirectStrings;
    std::vector<std::string> indirectAsked;  // every reference asked, in order
    std::string IndirectString(std::string_view reference) override;
};

}  // namespace rb::platform
