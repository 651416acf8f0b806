// Automation: late-bound objects by program identifier (ole32, oleaut32), as the engines
// section asks database engines for their versions and tries their features.
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

// An object reached through its dispatch interface, members called by name; released with
// this object.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;
    // nullopt when the object has no such property or the call fails.
    virtual std::optional<AutomationValue> GetProperty(std::string_view name) = 0;
    // A property whose value is itself an object (a recordset's "Fields"); nullptr when there
    // is none or it is no object.
    virtual std::unique_ptr<AutomationObject> PropertyObject(std::string_view name) = 0;
    // false when the object refuses the value.
    virtual bool SetProperty(std::string_view name, const AutomationValue& value) = 0;
    // nullopt when the call fails; a call that returns nothing gives std::monostate.
    virtual std::optional<AutomationValue> Call(std::string_view method,
                                                const std::vector<AutomationValue>& args) = 0;
};

// The outcome of creating an object: the object, or why there is none.
struct AutomationCreation {
    std::unique_ptr<AutomationObject> object;
    bool serverSilent = false;  // the server did not answer (asking again would wait again)
};

// COM is initialised for the calling thread while one of these lives.
class AutomationThread {
public:
    virtual ~AutomationThread() = default;
};

class AutomationArea {
public:
    virtual ~AutomationArea() = default;
    virtual std::unique_ptr<AutomationThread> EnterThread() = 0;
    // CLSIDFromProgID in registry form ("{00000514-0000-0010-8000-00AA006D2EA4}"); "" when the
    // identifier is not registered.
    virtual std::string ClassId(std::string_view programId) = 0;
    // GetActiveObject: the running instance; nullptr when there is none.
    virtual std::unique_ptr<AutomationObject> RunningObject(std::string_view programId) = 0;
    // CoCreateInstance for the dispatch interface.
    virtual AutomationCreation NewObject(std::string_view programId) = 0;
};

}  // namespace rb::platform
