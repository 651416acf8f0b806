// Paths under WOW64. A 32-bit program on 64-bit Windows is shown the 32-bit "Program Files"
// folders where the 64-bit shell, which opens the user's shortcuts, sees the 64-bit ones: a
// 32-bit shell link resolves a target under "C:\Program Files" to "C:\Program Files (x86)".
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rb {

// One folder that has a 32-bit twin.
struct Wow64Folder {
    std::string wow32;     // "C:\Program Files (x86)"
    std::string native;    // "C:\Program Files"
    const char* variable;  // "ProgramFiles": the environment variable the 64-bit shell expands
                           // to `native`
};

// Program Files and Common Files of this system, when the program runs under WOW64 (from the
// 64-bit half of the registry, or the environment); empty otherwise.
std::vector<Wow64Folder> Wow64Folders();

// Pure: `text` with its "%NAME%" variables expanded as a 64-bit program expands them: the
// folders' variables to their 64-bit folders, the others by `variable` (unknown ones stay).
std::string ExpandAsNative(std::string_view text, const std::vector<Wow64Folder>& folders,
                           const std::function<std::string(std::string_view)>& variable);

// Pure: the path a shortcut opens, given the target the 32-bit shell resolved and the link's
// own text (expanded as above). A target under a 32-bit folder is the 64-bit folder's file
// when the link's text names that file, or when only that file exists.
std::string ShortcutTargetAsOpened(const std::string& target, const std::string& linkText,
                                   const std::vector<Wow64Folder>& folders,
                                   const std::function<bool(const std::string&)>& fileExists);

// The shortcut target as the 64-bit shell opens it (unchanged where there is no WOW64).
std::string NativeShortcutTarget(std::string_view file, const std::string& target);

}  // namespace rb
