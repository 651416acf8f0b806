// The mail area over the real system: Simple MAPI client libraries loaded at run time.
#pragma once

#include "platform/mail.h"

namespace rb::platform {

class Win32Mail : public MailArea {
public:
    MailClientLoad LoadClient(std::string_view library) override;
    bool IsMailClientLibrary(std::string_view library) override;
    bool FileExists(std::string_view path) override;
    std::vector<ProcessWindow> TopLevelWindows() override;
};

}  // namespace rb::platform
