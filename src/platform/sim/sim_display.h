// The simulated screen: its capabilities by index and its display modes.
#pragma once

#include <map>
#include <vector>

#include "platform/display.h"

namespace rb::platform {

class SimDisplay : public DisplayArea {
public:
    bool hasScreen = true;  // false: no device context for the screen
    std::map<int, int32_t> capabilities;  // an index not set answers 0
    std::vector<DisplayMode> modes;

    std::optional<int32_t> ScreenCapability(int index) override {
        if (!hasScreen) return std::nullopt;
        const auto it = capabilities.find(index);
        return it == capabilities.end() ? 0 : it->second;
    }
    std::optional<DisplayMode> Mode(uint32_t number) override {
        if (number >= modes.size()) return std::nullopt;
        return modes[number];
    }
};

}  // namespace rb::platform
