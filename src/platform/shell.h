// The shell (shell32 and the shell's COM objects): special folders, shortcuts, notifications and
// the property sheet of a file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rb::platform {

class ShellArea {
public:
    virtual ~ShellArea() = default;

    virtual std::string SpecialFolder(int csidl) = 0;  // "" on failure
    // Result code of the shell link's load; 0 (S_OK) on success.
    virtual int32_t ResolveShortcut(std::string_view file, std::string& target,
                                    std::string& arguments) = 0;
    // The target as the shortcut itself records it, before a 32-bit shell maps it under WOW64:
    // its environment-variable form ("%ProgramFiles%\App\app.exe") or else its raw path; ""
    // when the link cannot be read or records neither.
    virtual std::string ShortcutLinkText(std::string_view file) = 0;
    // Names (without the folder) of the files matching a pattern such as "C:\X\*.lnk", of any
    // attributes, in the order the search gives them (FindFirstFileA, FindNextFileA).
    virtual std::vector<std::string> FindFiles(std::string_view pattern) = 0;
    virtual void ShellChangeNotify(int32_t event, uint32_t flags) = 0;
    virtual bool ShowFileProperties(uintptr_t window, std::string_view file) = 0;
    // Opens an address in the user's web browser (the shell's "open"); false on failure.
    virtual bool OpenUrl(std::string_view url) = 0;
    // The text an "@file,-id" reference names (SHLoadIndirectString, Vista and later; its
    // environment variables expanded first); "" where the system has no loader or the file or
    // string is missing.
    virtual std::string IndirectString(std::string_view reference) = 0;
};

}  // namespace rb::platform
