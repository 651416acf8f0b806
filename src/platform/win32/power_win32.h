// The real power area (power_win32.cpp).
#pragma once

#include "platform/power.h"

namespace rb::platform {

class Win32Power : public PowerArea {
public:
    std::optional<PowerStatus> Status() override;
};

}  // namespace rb::platform
