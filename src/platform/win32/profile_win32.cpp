// Sections of initialisation files (WIN.INI and the like), read through the system's profile
// calls, which on the NT family may answer from the registry's mapping of the file.
#include <windows.h>

#include <vector>

#include "platform/win32/platform_win32.h"

namespace rb::platform {
namespace {

constexpr DWORD kNamesBuffer = 16384;  // all key names of one section
constexpr DWORD kValueBuffer = 2048;   // one value

}  // namespace

std::vector<std::pair<std::string, std::string>> Win32System::ProfileSection(
    std::string_view file, std::string_view section) {
    const std::string fileName(file);
    const std::string title(section);
    // With no key the call lists the section's key names, each ending in a NUL, the list in two.
    std::vector<char> names(kNamesBuffer, '\0');
    const DWORD got = ::GetPrivateProfileStringA(title.c_str(), nullptr, "", names.data(),
                                                 kNamesBuffer, fileName.c_str());
    std::vector<std::pair<std::string, std::string>> pairs;
    std::vector<char> value(kValueBuffer, '\0');
    for (size_t pos = 0; pos < got && names[pos] != '\0';) {
        const std::string key(names.data() + pos);
        pos += key.size() + 1;
        const DWORD length = ::GetPrivateProfileStringA(title.c_str(), key.c_str(), "",
                                                        value.data(), kValueBuffer,
                                                        fileName.c_str());
        pairs.emplace_back(key, std::string(value.data(), length));
    }
    return pairs;
}

}  // namespace rb::platform
