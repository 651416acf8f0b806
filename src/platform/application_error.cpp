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

void ShowApplicationError(const std::exception& error, uint32_t closeAfterSeconds) {
    if (dynamic_cast<const EAbort*>(&error)) return;  // a cancelled operation: nothing to tell
    platform::WindowsArea& windows = platform::Current().Windows();
    const std::string text = ErrorBoxText(error.what());
    if (closeAfterSeconds == 0) {
        windows.ShowMessage(text, kApplicationTitle, platform::kMbIconError);
    } else {
        windows.ShowMessageClosingAfter(text, kApplicationTitle, platform::kMbIconError,
                                        closeAfterSeconds);
    }
}

}  // namespace rb
