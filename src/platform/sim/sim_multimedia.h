// The simulated multimedia devices: capability records per kind; nullopt for a device that
// does not answer.
#pragma once

#include <map>
#include <vector>

#include "platform/multimedia.h"

namespace rb::platform {

class SimMultimedia : public MultimediaArea {
public:
    std::map<MediaDeviceKind, std::vector<std::optional<MediaDeviceCaps>>> devices;

    uint32_t DeviceCount(MediaDeviceKind kind) override {
        const auto it = devices.find(kind);
        return it == devices.end() ? 0 : static_cast<uint32_t>(it->second.size());
    }
    std::optional<MediaDeviceCaps> DeviceCaps(MediaDeviceKind kind, uint32_t index) override {
        const auto it = devices.find(kind);
        if (it == devices.end() || index >= it->second.size()) return std::nullopt;
        return it->second[index];
    }
};

}  // namespace rb::platform
