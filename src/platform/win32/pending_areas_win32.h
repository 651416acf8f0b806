// The areas whose sections are still to come answer "nothing" on Windows for now: no screen
// capability, no device, no printer. Each section's work replaces its stub with the
// real calls in the area's own _win32 file.
#pragma once

#include "platform/platform.h"

namespace rb::platform {

class Win32Display : public DisplayArea {
public:
    std::optional<int32_t> ScreenCapability(int) override { return std::nullopt; }
    std::optional<DisplayMode> Mode(uint32_t) override { return std::nullopt; }
};

class Win32Network : public NetworkArea {
public:
    std::optional<WinsockData> Winsock(uint16_t) override { return std::nullopt; }
    std::vector<std::string> HostAddresses() override { return {}; }
    std::vector<uint8_t> NetBiosAdapters() override { return {}; }
    std::optional<std::array<uint8_t, 6>> NetBiosAddress(uint8_t) override { return std::nullopt; }
    std::optional<std::vector<NetworkAdapter>> Adapters() override { return std::nullopt; }
};

class Win32Multimedia : public MultimediaArea {
public:
    uint32_t DeviceCount(MediaDeviceKind) override { return 0; }
    std::optional<MediaDeviceCaps> DeviceCaps(MediaDeviceKind, uint32_t) override {
        return std::nullopt;
    }
};

class Win32Power : public PowerArea {
public:
    std::optional<PowerStatus> Status() override { return std::nullopt; }
};

class Win32Printers : public PrintersArea {
public:
    std::optional<std::vector<PrinterInfo2>> PrintersLevel2(uint32_t) override {
        return std::nullopt;
    }
    std::optional<std::vector<PrinterInfo5>> PrintersLevel5(uint32_t) override {
        return std::nullopt;
    }
    std::string ProfileEntry(std::string_view, std::string_view,
                             std::string_view fallback) override {
        return std::string(fallback);
    }
};

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
