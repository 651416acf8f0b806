// The real services area (services_win32.cpp).
#pragma once

#include "platform/services.h"

namespace rb::platform {

class Win32Services : public ServicesArea {
public:
    ManagerOpening OpenManager() override;
    std::string ErrorMessage(uint32_t code) override;
};

}  // namespace rb::platform
