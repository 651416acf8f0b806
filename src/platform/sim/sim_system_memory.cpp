// The simulated memory, time zone and BIOS area.
#include "platform/sim/sim_system.h"

namespace rb::platform {
namespace {

constexpr uint32_t kBiosAreaStart = 0xF0000;
constexpr uint32_t kBiosAreaEnd = 0x100000;  // the end of the first megabyte

}  // namespace

MemoryStatus SimSystem::Memory512MB() {
    MemoryStatus m;
    m.memoryLoad = 62;
    m.totalPhys = 536281088;
    m.availPhys = 203776000;
    m.totalPageFile = 1312784384;
    m.availPageFile = 900431872;
    m.totalVirtual = 2147352576;
    m.availVirtual = 2104426496;
    return m;
}

AddressSpaceInfo SimSystem::AddressSpaceNT() { return {4096, 65536, 0x10000, 0x7FFEFFFF}; }

AddressSpaceInfo SimSystem::AddressSpace9x() { return {4096, 65536, 0x400000, 0x7FFFFFFF}; }

TimeZoneInfo SimSystem::RomanceTimeZone() {
    TimeZoneInfo z;
    z.bias = -60;
    z.standardName = "Romance Standard Time";
    z.standardDate = {0, 10, 0, 5, 3, 0, 0, 0};  // last Sunday of October, 03:00
    z.standardBias = 0;
    z.daylightName = "Romance Daylight Time";
    z.daylightDate = {0, 3, 0, 5, 2, 0, 0, 0};  // last Sunday of March, 02:00
    z.daylightBias = -60;
    z.state = 1;
    return z;
}

void SimSystem::SetBiosText(uint32_t address, std::string_view text) {
    if (biosArea.empty()) biosArea.assign(kBiosAreaEnd - kBiosAreaStart, 0);
    size_t at = address - kBiosAreaStart;
    for (const char c : text) {
        if (at >= biosArea.size()) return;
        biosArea[at++] = static_cast<uint8_t>(c);
    }
    if (at < biosArea.size()) biosArea[at] = 0;
}

std::optional<std::vector<uint8_t>> SimSystem::ReadBiosArea(uint32_t address,
                                                              uint32_t length) {
    if (biosArea.empty() || address < kBiosAreaStart || address >= kBiosAreaEnd ||
        length > kBiosAreaEnd - address) {
        return std::nullopt;
    }
    const auto first = biosArea.begin() + (address - kBiosAreaStart);
    return std::vector<uint8_t>(first, first + length);
}

}  // namespace rb::platform
