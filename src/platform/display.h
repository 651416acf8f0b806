// Display: the screen's device-context capabilities and the display modes of the default display.
#pragma once

#include <cstdint>
#include <optional>

namespace rb::platform {

// One EnumDisplaySettingsA answer.
struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t frequency = 0;  // Hz; 0 or 1 for the hardware's default
};

class DisplayArea {
public:
    virtual ~DisplayArea() = default;

    // GetDeviceCaps of the screen's device context for one index (HORZRES, BITSPIXEL, ...),
    // asked in the screen's own pixels where the system lets a thread do so (Windows 10 1607
    // and later); nullopt when the screen gives no device context.
    virtual std::optional<int32_t> ScreenCapability(int index) = 0;
    // Mode number `number` of the default display; nullopt past the last one.
    virtual std::optional<DisplayMode> Mode(uint32_t number) = 0;
};

}  // namespace rb::platform
