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

std::string SystemErrorMessage(uint32_t code) {
    std::string text = platform::Current().Services().ErrorMessage(code);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
    std::string message = "System Error.  Code: " + std::to_string(code) + ".";
    return text.empty() ? message : message + "\r\n" + text;
}

void ShowApplicationError(const std::exception& error) {
    if (dynamic_cast<const EAbort*>(&error)) return;  // a cancelled operation: nothing to tell
    platform::Current().Windows().ShowMessage(ErrorBoxText(error.what()), kApplicationTitle,
                                              platform::kMbIconError);
}

}  // namespace rb
