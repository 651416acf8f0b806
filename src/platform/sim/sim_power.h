// The simulated power status.
#pragma once

#include "platform/power.h"

namespace rb::platform {

class SimPower : public PowerArea {
public:
    std::optional<PowerStatus> status;  // none: the call fails

    std::optional<PowerStatus> Status() override { return status; }
};

}  // namespace rb::platform
