// The simulated Automation objects: classes by program identifier with their members, creation
// that works, fails a number of times or meets a silent server, and records of what was done.
#pragma once

#include <map>
#include <string>

#include "core/text.h"
#include "platform/automation.h"

namespace rb::platform {

class SimAutomation : public AutomationArea {
public:
    struct Class {
        std::string classId;
        // Member name -> value; a property get and a call both answer it, a set needs it to
        // exist. "Fields.Append" is the member "Append" of the object the property "Fields"
        // holds.
        std::map<std::string, AutomationValue> members;
        bool running = false;  // GetActiveObject finds an instance
        int failures = 0;      // creations that fail before one works
        bool silent = false;   // every creation meets a server that does not answer
    };
    std::map<std::string, Class> classes;  // by program identifier

    // What the program did.
    int threadsEntered = 0;
    int threadsLeft = 0;
    int liveObjects = 0;
    std::map<std::string, int> creations;            // creation attempts per program identifier
    std::map<std::string, AutomationValue> lastSet;  // "<program id>.<property>" -> value

    std::unique_ptr<AutomationThread> EnterThread() override;
    std::string ClassId(std::string_view programId) override {
        const Class* c = Find(programId);
        return c ? c->classId : "";
    }
    std::unique_ptr<AutomationObject> RunningObject(std::string_view programId) override;
    AutomationCreation NewObject(std::string_view programId) override;

private:
    Class* Find(std::string_view programId) {
        for (auto& [id, c] : classes) {
            if (SameText(id, programId)) return &c;
        }
        return nullptr;
    }
    std::unique_ptr<AutomationObject> Instance(std::string_view programId, const Class& c);
};

class SimAutomationObject : public AutomationObject {
public:
    SimAutomationObject(SimAutomation& area, std::string name,
                        std::map<std::string, AutomationValue> members)
        : area_(area), name_(std::move(name)), members_(std::move(members)) {
        ++area_.liveObjects;
    }
    ~SimAutomationObject() override { --area_.liveObjects; }

    std::optional<AutomationValue> GetProperty(std::string_view name) override {
        const auto it = members_.find(std::string(name));
        if (it == members_.end()) return std::nullopt;
        return it->second;
    }
    std::unique_ptr<AutomationObject> PropertyObject(std::string_view name) override {
        const std::string prefix = std::string(name) + ".";
        std::map<std::string, AutomationValue> inner;
        for (const auto& [member, value] : members_) {
            if (member.compare(0, prefix.size(), prefix) == 0) {
                inner[member.substr(prefix.size())] = value;
            }
        }
        if (inner.empty()) return nullptr;
        return std::make_unique<SimAutomationObject>(area_, name_ + "." + std::string(name),
                                                     std::move(inner));
    }
    bool SetProperty(std::string_view name, const AutomationValue& value) override {
        const auto it = members_.find(std::string(name));
        if (it == members_.end()) return false;
        it->second = value;
        area_.lastSet[name_ + "." + std::string(name)] = value;
        return true;
    }
    std::optional<AutomationValue> Call(std::string_view method,
                                        const std::vector<AutomationValue>&) override {
        return GetProperty(method);
    }

private:
    SimAutomation& area_;
    std::string name_;
    std::map<std::string, AutomationValue> members_;
};

class SimAutomationThread : public AutomationThread {
public:
    explicit SimAutomationThread(SimAutomation& area) : area_(area) { ++area_.threadsEntered; }
    ~SimAutomationThread() override { ++area_.threadsLeft; }

private:
    SimAutomation& area_;
};

inline std::unique_ptr<AutomationThread> SimAutomation::EnterThread() {
    return std::make_unique<SimAutomationThread>(*this);
}

inline std::unique_ptr<AutomationObject> SimAutomation::Instance(std::string_view programId,
                                                                 const Class& c) {
    return std::make_unique<SimAutomationObject>(*this, std::string(programId), c.members);
}

inline std::unique_ptr<AutomationObject> SimAutomation::RunningObject(std::string_view programId) {
    const Class* c = Find(programId);
    if (!c || !c->running) return nullptr;
    return Instance(programId, *c);
}

inline AutomationCreation SimAutomation::NewObject(std::string_view programId) {
    ++creations[std::string(programId)];
    AutomationCreation creation;
    Class* c = Find(programId);
    if (!c) return creation;
    if (c->silent) {
        creation.serverSilent = true;
    } else if (c->failures > 0) {
        --c->failures;
    } else {
        creation.object = Instance(programId, *c);
    }
    return creation;
}

}  // namespace rb::platform
