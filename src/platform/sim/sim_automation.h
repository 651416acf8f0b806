// The simulated Automation objects: property values by program identifier.
#pragma once

#include <map>
#include <string>

#include "platform/automation.h"

namespace rb::platform {

class SimAutomation : public AutomationArea {
public:
    // Program identifier -> property (or method) name -> value.
    std::map<std::string, std::map<std::string, AutomationValue>> objects;

    std::unique_ptr<AutomationObject> CreateObject(std::string_view programId) override;
};

class SimAutomationObject : public AutomationObject {
public:
    explicit SimAutomationObject(const std::map<std::string, AutomationValue>& members)
        : members_(members) {}
    std::optional<AutomationValue> GetProperty(std::string_view name) override {
        const auto it = members_.find(std::string(name));
        if (it == members_.end()) return std::nullopt;
        return it->second;
    }
    std::optional<AutomationValue> Call(std::string_view method,
                                        const std::vector<AutomationValue>&) override {
        return GetProperty(method);
    }

private:
    std::map<std::string, AutomationValue> members_;
};

inline std::unique_ptr<AutomationObject> SimAutomation::CreateObject(std::string_view programId) {
    const auto it = objects.find(std::string(programId));
    if (it == objects.end()) return nullptr;
    return std::make_unique<SimAutomationObject>(it->second);
}

}  // namespace rb::platform
