#include "platform/application_error.h"

#include "core/exception.h"
#include "platform/platform.h"

namespace rb {

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

void ShowApplicationError(const std::exception& error) {
    if (dynamic_cast<const EAbort*>(&error)) return;  // a cancelled operation: nothing to tell
    platform::Current().Windows().ShowMessage(ErrorBoxText(error.what()), kApplicationTitle,
                                              platform::kMbIconError);
}

}  // namespace rb
