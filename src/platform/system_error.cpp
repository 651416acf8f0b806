#include "platform/system_error.h"

#include "platform/platform.h"

namespace rb {

std::string SystemErrorMessage(uint32_t code) {
    std::string text = platform::Current().Services().ErrorMessage(code);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
    std::string message = "System Error.  Code: " + std::to_string(code) + ".";
    return text.empty() ? message : message + "\r\n" + text;
}

}  // namespace rb
