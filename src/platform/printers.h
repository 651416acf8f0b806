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

// A level-5 enumeration: the records, or the system's error code when the call failed.
struct PrinterEnumeration5 {
    std::vector<PrinterInfo5> records;
    uint32_t error = 0;  // 0: the call succeeded
};

class PrintersArea {
public:
    virtual ~PrintersArea() = default;

    // EnumPrintersA with the given flags (PRINTER_ENUM_*), asked for the size and then filled;
    // nullopt when the call fails. A missing string of a record is "".
    virtual std::optional<std::vector<PrinterInfo2>> PrintersLevel2(uint32_t flags) = 0;
    virtual PrinterEnumeration5 PrintersLevel5(uint32_t flags) = 0;
    // GetDefaultPrinterA where the system has it (Windows 2000 and later); "" elsewhere or when
    // no default printer is set.
    virtual std::string DefaultPrinterName() = 0;
    // GetProfileStringA of the user's profile (win.ini); `fallback` when the entry is missing.
    virtual std::string ProfileEntry(std::string_view section, std::string_view key,
                                     std::string_view fallback) = 0;
};

}  // namespace rb::platform
