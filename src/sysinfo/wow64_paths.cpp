#include "sysinfo/wow64_paths.h"

#include <algorithm>

#include "core/text.h"
#include "platform/platform.h"

namespace rb {
namespace {

// Each folder's values in the 64-bit half of the registry, and its environment variables.
struct FolderSource {
    const char* wow32Value;
    const char* nativeValue;
    const char* wow32Variable;
    const char* nativeVariable;
    const char* variable;
};
const FolderSource kFolders[] = {
    {"ProgramFilesDir (x86)", "ProgramFilesDir", "ProgramFiles(x86)", "ProgramW6432",
     "ProgramFiles"},
    {"CommonFilesDir (x86)", "CommonFilesDir", "CommonProgramFiles(x86)", "CommonProgramW6432",
     "CommonProgramFiles"},
};
const char kVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// `path` is `folder` itself or lies inside it.
bool IsUnder(std::string_view path, std::string_view folder) {
    return !folder.empty() && path.size() >= folder.size() &&
           SameText(path.substr(0, folder.size()), folder) &&
           (path.size() == folder.size() || path[folder.size()] == '\\');
}

}  // namespace

std::vector<Wow64Folder> Wow64Folders() {
    platform::Platform& p = platform::Current();
    const auto wow64 = p.Processes().IsWow64(p.Processes().CurrentProcessId());
    if (!wow64 || !*wow64) return {};
    const auto key =
        p.Reg().OpenView(platform::RootKey::LocalMachine, kVersionKey, platform::RegView::Native64);
    const auto read = [&](const char* value, const char* variable) {
        std::string text = key ? key->ReadString(value).value_or("") : "";
        return text.empty() ? p.System().EnvironmentVariable(variable) : text;
    };
    std::vector<Wow64Folder> folders;
    for (const FolderSource& f : kFolders) {
        Wow64Folder folder{read(f.wow32Value, f.wow32Variable),
                           read(f.nativeValue, f.nativeVariable), f.variable};
        if (folder.wow32.empty() || folder.native.empty() || SameText(folder.wow32, folder.native))
            continue;
        folders.push_back(std::move(folder));
    }
    return folders;
}

std::string ExpandAsNative(std::string_view text, const std::vector<Wow64Folder>& folders,
                           const std::function<std::string(std::string_view)>& variable) {
    std::string result;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find('%', pos);
        const size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) break;
        result.append(text.substr(pos, open - pos));
        const std::string_view name = text.substr(open + 1, close - open - 1);
        std::string value;
        for (const Wow64Folder& f : folders) {
            if (SameText(name, f.variable)) value = f.native;
        }
        if (value.empty() && !name.empty()) value = variable(name);
        result += value.empty() ? std::string(text.substr(open, close - open + 1)) : value;
        pos = close + 1;
    }
    result.append(text.substr(std::min(pos, text.size())));
    return result;
}

std::string ShortcutTargetAsOpened(const std::string& target, const std::string& linkText,
                                   const std::vector<Wow64Folder>& folders,
                                   const std::function<bool(const std::string&)>& fileExists) {
    for (const Wow64Folder& f : folders) {
        if (!IsUnder(target, f.wow32)) continue;
        const std::string native = f.native + target.substr(f.wow32.size());
        if (SameText(linkText, native)) return native;
        if (!fileExists(target) && fileExists(native)) return native;
        return target;
    }
    return target;
}

std::string NativeShortcutTarget(std::string_view file, const std::string& target) {
    const std::vector<Wow64Folder> folders = Wow64Folders();
    bool mapped = false;
    for (const Wow64Folder& f : folders) mapped = mapped || IsUnder(target, f.wow32);
    if (!mapped) return target;
    platform::Platform& p = platform::Current();
    const std::string linkText =
        ExpandAsNative(p.Shell().ShortcutLinkText(file), folders,
                       [&](std::string_view name) { return p.System().EnvironmentVariable(name); });
    return ShortcutTargetAsOpened(target, linkText, folders, [&](const std::string& path) {
        return p.Storage().FileExists(path);
    });
}

}  // namespace rb
