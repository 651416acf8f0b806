// The simulated user interface: message boxes are recorded and answered, never shown.
#pragma once

#include <string>
#include <vector>

#include "platform/windows_ui.h"

namespace rb::platform {

class SimWindows : public WindowsArea {
public:
    struct Box {
        std::string text, caption;
        uint32_t flags;
        uint32_t closeAfterSeconds = 0;  // 0: waits for an answer
    };
    std::vector<Box> messageBoxes;
    int messageBoxAnswer = 1;  // IDOK
    std::array<uint8_t, 256> keyboard{};

    int ShowMessage(std::string_view text, std::string_view caption, uint32_t flags) override {
        messageBoxes.push_back({std::string(text), std::string(caption), flags});
        return messageBoxAnswer;
    }
    int ShowMessageClosingAfter(std::string_view text, std::string_view caption, uint32_t flags,
                                uint32_t seconds) override {
        messageBoxes.push_back({std::string(text), std::string(caption), flags, seconds});
        return messageBoxAnswer;
    }
    std::array<uint8_t, 256> KeyboardState() override { return keyboard; }
};

}  // namespace rb::platform
