// The areas whose sections are still to come answer "nothing" on Windows for now: no
// multimedia device, no power status, no printer, no Automation object, no mail client. Each
// section's work replaces its stub with the real calls in the area's own _win32 file.
#pragma once

#include "platform/platform.h"

namespace rb::platform {

class Win32Automation : public AutomationArea {
public:
    std::unique_ptr<AutomationObject> CreateObject(std::string_view) override { return nullptr; }
};

class Win32Mail : public MailArea {
public:
    MailClientLoad LoadClient(std::string_view) override {
        MailClientLoad load;
        load.systemError = 120;  // ERROR_CALL_NOT_IMPLEMENTED
        return load;
    }
};

}  // namespace rb::platform
