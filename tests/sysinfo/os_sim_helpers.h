// Helpers of the operating-system, machine and memory tests: a simulated system that fails
// one chosen question, and the registry's list of time zones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/exception.h"
#include "platform/sim/sim_platform.h"

namespace rb::testing_os {

// Raises rb::Exception("falla simulada") from the question named in `failAt`. Its system and
// windows areas hide the plain simulated ones, so the test fills them as usual.
class FailingSim : public platform::SimPlatform {
public:
    std::string failAt;

    class FailingSystem : public platform::SimSystem {
    public:
        explicit FailingSystem(const std::string& failAt) : failAt_(failAt) {}
        platform::OsVersion Version() override {
            Fail("Version");
            return SimSystem::Version();
        }
        platform::TimeZoneInfo TimeZone() override {
            Fail("TimeZone");
            return SimSystem::TimeZone();
        }
        std::string WindowsDirectory() override {
            Fail("WindowsDirectory");
            return SimSystem::WindowsDirectory();
        }
        platform::AddressSpaceInfo AddressSpace() override {
            Fail("AddressSpace");
            return SimSystem::AddressSpace();
        }

    private:
        void Fail(const char* what) const {
            if (failAt_ == what) throw Exception("falla simulada");
        }
        const std::string& failAt_;
    };
    class FailingWindows : public platform::SimWindows {
    public:
        explicit FailingWindows(const std::string& failAt) : failAt_(failAt) {}
        std::array<uint8_t, 256> KeyboardState() override {
            if (failAt_ == "KeyboardState") throw Exception("falla simulada");
            return SimWindows::KeyboardState();
        }

    private:
        const std::string& failAt_;
    };

    FailingSystem system{failAt};
    FailingWindows windows{failAt};
    platform::SystemArea& System() override { return system; }
    platform::WindowsArea& Windows() override { return windows; }
};

constexpr char kNTZones[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
constexpr char k9xZones[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Time Zones";

// The 44-byte TZI record of a zone.
inline std::vector<uint8_t> Tzi(const platform::TimeZoneInfo& z) {
    std::vector<uint8_t> b;
    auto word = [&](uint16_t w) {
        b.push_back(static_cast<uint8_t>(w));
        b.push_back(static_cast<uint8_t>(w >> 8));
    };
    auto dword = [&](int32_t v) {
        word(static_cast<uint16_t>(static_cast<uint32_t>(v)));
        word(static_cast<uint16_t>(static_cast<uint32_t>(v) >> 16));
    };
    auto date = [&](const platform::SystemTimeRecord& d) {
        for (uint16_t w : {d.year, d.month, d.dayOfWeek, d.day, d.hour, d.minute, d.second,
                           d.milliseconds}) {
            word(w);
        }
    };
    dword(z.bias);
    dword(z.standardBias);
    dword(z.daylightBias);
    date(z.standardDate);
    date(z.daylightDate);
    return b;
}

// One zone of the registry's list under `list`, named `key`.
inline void AddZone(platform::SimRegistry& reg, const char* list, const std::string& key,
                    const platform::TimeZoneInfo& z, const std::string& display,
                    const std::string& mapId = "") {
    const std::string path = std::string(list) + "\\" + key;
    const auto root = platform::RootKey::LocalMachine;
    reg.SetString(root, path, "Display", display);
    reg.SetString(root, path, "Std", z.standardName);
    reg.SetString(root, path, "Dlt", z.daylightName);
    if (!mapId.empty()) reg.SetString(root, path, "MapID", mapId);
    reg.SetBinary(root, path, "TZI", Tzi(z));
}

}  // namespace rb::testing_os
