// Printers: winspool's enumeration at levels 2 and 5 and the user's profile entries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rb::platform {

// PRINTER_INFO_2, without the device mode and security descriptor.
struct PrinterInfo2 {
    std::string serverName, printerName, shareName, portName, driverName;
    std::string comment, location, sepFile, printProcessor, datatype, parameters;
    uint32_t attributes = 0, priority = 0, defaultPriority = 0;
    uint32_t startTime = 0, untilTime = 0, status = 0, jobs = 0, averagePPM = 0;
};

// PRINTER_INFO_5.
struct PrinterInfo5 {
    std::string printerName, portName;
    uint32_t attributes = 0, deviceNotSelectedTimeout = 0, transmissionRetryTimeout = 0;
};

class PrintersArea {
public:
    virtual ~PrintersArea() = default;

    // EnumPrintersA with the given flags (PRINTER_ENUM_*); nullopt when the call fails.
    virtual std::optional<std::vector<PrinterInfo2>> PrintersLevel2(uint32_t flags) = 0;
    virtual std::optional<std::vector<PrinterInfo5>> PrintersLevel5(uint32_t flags) = 0;
    // GetProfileStringA of the user's profile (win.ini); `fallback` when the entry is missing.
    virtual std::string ProfileEntry(std::string_view section, std::string_view key,
                                     std::string_view fallback) = 0;
};

}  // namespace rb::platform
