#include "app/application_error.h"

#include "core/exception.h"
#include "platform/platform.h"

namespace rb {

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
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
