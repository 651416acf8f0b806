// The services section's decoding of the system's numbers (si_services_decode.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sysinfo/si_services.h"

namespace rb {

TCurrentStatus CurrentStatusOf(uint32_t state);
TStartType StartTypeOf(uint32_t start);
TErrorSeverity ErrorSeverityOf(uint32_t control);
TServiceTypes ServiceTypesOf(uint32_t type);
TControlAcceptedSet ControlsAcceptedOf(uint32_t controls);
// "code: text", the form failures of the service control manager are recorded in.
std::string SystemErrorText(uint32_t code, std::string_view message);

}  // namespace rb
