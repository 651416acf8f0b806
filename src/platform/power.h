// Power: the system's power status.
#pragma once

#include <cstdint>
#include <optional>

namespace rb::platform {

// GetSystemPowerStatus, as the system answers it (255 and 0xFFFFFFFF mean unknown).
struct PowerStatus {
    uint8_t acLineStatus = 255;
    uint8_t batteryFlag = 255;
    uint8_t batteryLifePercent = 255;
    uint32_t batteryLifeTime = 0xFFFFFFFF;      // seconds
    uint32_t batteryFullLifeTime = 0xFFFFFFFF;  // seconds
};

class PowerArea {
public:
    virtual ~PowerArea() = default;
    virtual std::optional<PowerStatus> Status() = 0;  // nullopt when the call fails
};

}  // namespace rb::platform
