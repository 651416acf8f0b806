#include "platform/sim/sim_system.h"

#include "core/exception.h"
#include "core/text.h"

namespace rb::platform {

OsVersion SimSystem::Windows95() { return {4, 0, 950, 1, "", false}; }

OsVersion SimSystem::Windows98SE() { return {4, 10, 0x040A08AE, 1, " A ", false}; }

OsVersion SimSystem::WindowsME() { return {4, 90, 0x045A0BB8, 1, " ", false}; }

OsVersion SimSystem::WindowsNT4(int servicePack) {
    OsVersion v{4, 0, 1381, 2, servicePack ? Format("Service Pack %d", servicePack) : "", true};
    v.servicePackMajor = static_cast<uint16_t>(servicePack);
    v.productType = 1;
    return v;
}

OsVersion SimSystem::Windows2000() {
    OsVersion v{5, 0, 2195, 2, "Service Pack 4", true};
    v.servicePackMajor = 4;
    v.productType = 1;
    return v;
}

OsVersion SimSystem::WindowsXP() {
    OsVersion v{5, 1, 2600, 2, "Service Pack 2", true};
    v.servicePackMajor = 2;
    v.suiteMask = 0x100;
    v.productType = 1;
    return v;
}

OsVersion SimSystem::Windows10() {
    OsVersion v{10, 0, 19045, 2, "", true};
    v.suiteMask = 0x100;
    v.productType = 1;
    return v;
}

OsVersion SimSystem::Windows8Compatibility() {
    OsVersion v = Windows10();
    v.major = 6;
    v.minor = 2;
    v.build = 9200;
    return v;
}

SimSystem::IniSection SimSystem::ProfileSection(std::string_view file, std::string_view section) {
    for (const auto& [name, sections] : iniFiles) {
        if (!SameText(name, file)) continue;
        for (const auto& [title, pairs] : sections) {
            if (SameText(title, section)) return pairs;
        }
    }
    return {};
}

uint32_t SimSystem::TickCount() {
    const uint32_t now = tickCount;
    tickCount += tickStep;
    return now;
}

std::string SimSystem::EnvironmentVariable(std::string_view name) {
    for (const std::string& entry : environment) {
        const size_t eq = entry.find('=', 1);  // "=C:" style entries start with '='
        if (eq != std::string::npos && SameText(std::string_view(entry).substr(0, eq), name)) {
            return entry.substr(eq + 1);
        }
    }
    return "";
}

std::optional<FileVersion> SimSystem::FileVersionInfo(std::string_view file) {
    for (const auto& [name, v] : fileVersions) {
        if (SameText(name, file)) return v;
    }
    return std::nullopt;
}

std::array<uint8_t, 16> SimSystem::NewGuid() {
    const std::array<uint8_t, 16> answer = guid;
    ++guid[15];
    return answer;
}

}  // namespace rb::platform
