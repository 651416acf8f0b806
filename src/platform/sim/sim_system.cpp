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

namespace {

class SimLoadedModule : public Module {
public:
    SimLoadedModule(uintptr_t handle, std::vector<std::string> symbols)
        : handle_(handle), symbols_(std::move(symbols)) {}
    uintptr_t Handle() const override { return handle_; }
    void* Symbol(const char* name) const override {
        for (const std::string& s : symbols_) {
            // A stand-in address: tests only ask whether a symbol is there.
            if (s == name) return const_cast<std::string*>(&s);
        }
        return nullptr;
    }

private:
    uintptr_t handle_;
    std::vector<std::string> symbols_;
};

}  // namespace

std::unique_ptr<Module> SimSystem::LoadModule(std::string_view name, bool onlyIfLoaded) {
    const auto it = modules.find(AnsiLowerCase(name));
    if (it == modules.end() || (onlyIfLoaded && !it->second.loaded)) return nullptr;
    const uintptr_t handle = 0x10000000u + 0x10000u * static_cast<uintptr_t>(
                                                         std::distance(modules.begin(), it));
    return std::make_unique<SimLoadedModule>(handle, it->second.symbols);
}

}  // namespace rb::platform
