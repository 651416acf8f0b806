// The real multimedia area (multimedia_win32.cpp).
#pragma once

#include "platform/multimedia.h"

namespace rb::platform {

class Win32Multimedia : public MultimediaArea {
public:
    uint32_t DeviceCount(MediaDeviceKind kind) override;
    std::optional<MediaDeviceCaps> DeviceCaps(MediaDeviceKind kind, uint32_t index) override;
};

}  // namespace rb::platform
