// The areas whose sections are still to come answer "nothing" on Windows for now: no
// multimedia device, no power status, no printer, no Automation object. Each
// section's work replaces its stub with the real calls in the area's own _win32 file.
#pragma once

#include "platform/platform.h"

namespace rb::platform {

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

}  // namespace rb::platform
