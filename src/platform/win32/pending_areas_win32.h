// The areas whose work is still to come answer "nothing" on Windows for now: no mail client.
// That work replaces the stub with the real calls in the area's own _win32 file.
#pragma once

#include "platform/platform.h"

namespace rb::platform {

class Win32Mail : public MailArea {
public:
    MailClientLoad LoadClient(std::string_view) override {
        MailClientLoad load;
        load.systemError = 120;  // ERROR_CALL_NOT_IMPLEMENTED
        return load;
    }
};

}  // namespace rb::platform
