// Windows: the user-interface calls of user32 that the program's core makes (the windows of the
// program themselves are no platform question).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace rb::platform {

// Message-box icons and answers, as the Windows values.
enum : uint32_t { kMbOk = 0x0, kMbIconError = 0x10, kMbIconInformation = 0x40 };

class WindowsArea {
public:
    virtual ~WindowsArea() = default;

    // The one seam for message boxes, so that no test waits for a person. Answers the button.
    virtual int ShowMessage(std::string_view text, std::string_view caption, uint32_t flags) = 0;
    // A message box that closes by itself after `seconds` when nobody answers it (runs without
    // a person: a scheduled task, a locked screen). (Default: an ordinary box.)
    virtual int ShowMessageClosingAfter(std::string_view text, std::string_view caption,
                                        uint32_t flags, uint32_t seconds) {
        (void)seconds;
        return ShowMessage(text, caption, flags);
    }
    virtual std::array<uint8_t, 256> KeyboardState() = 0;  // GetKeyboardState; zeros on failure
};

}  // namespace rb::platform
