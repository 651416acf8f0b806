// The real Automation area (automation_win32.cpp).
#pragma once

#include "platform/automation.h"

namespace rb::platform {

class Win32Automation : public AutomationArea {
public:
    std::unique_ptr<AutomationThread> EnterThread() override;
    std::string ClassId(std::string_view programId) override;
    std::unique_ptr<AutomationObject> RunningObject(std::string_view programId) override;
    AutomationCreation NewObject(std::string_view programId) override;
};

}  // namespace rb::platform
