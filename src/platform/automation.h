// Automation: late-bound objects by program identifier (ole32, oleaut32), as the engines
// section asks database engines for their versions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rb::platform {

// The values that cross the boundary: nothing (VT_EMPTY), integers, reals, booleans and text.
using AutomationValue = std::variant<std::monostate, int32_t, double, bool, std::string>;

// An object created from a program identifier; released with this object.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;
    // nullopt when the object has no such property or the call fails.
    virtual std::optional<AutomationValue> GetProperty(std::string_view name) = 0;
    virtual std::optional<AutomationValue> Call(std::string_view method,
                                                const std::vector<AutomationValue>& args) = 0;
};

class AutomationArea {
public:
    virtual ~AutomationArea() = default;
    // CLSIDFromProgID and CoCreateInstance; nullptr when not registered or not created.
    virtual std::unique_ptr<AutomationObject> CreateObject(std::string_view programId) = 0;
};

}  // namespace rb::platform
