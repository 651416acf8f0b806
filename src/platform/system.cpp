// Portable answers for two platform questions; the Windows platform asks the system instead.
#include <cstdlib>
#include <random>

#include "platform/system.h"

namespace rb::platform {

std::string SystemArea::EnvironmentVariable(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    return value ? value : "";
}

std::array<uint8_t, 16> SystemArea::NewGuid() {
    std::random_device source;
    std::array<uint8_t, 16> guid{};
    for (uint8_t& b : guid) b = static_cast<uint8_t>(source());
    // Version 4 (random) and the standard variant. In memory Data3 is little-endian, so its
    // version nibble is the high nibble of byte 7.
    guid[7] = static_cast<uint8_t>((guid[7] & 0x0F) | 0x40);
    guid[8] = static_cast<uint8_t>((guid[8] & 0x3F) | 0x80);
    return guid;
}

}  // namespace rb::platform
