// The real printers area (printers_win32.cpp).
#pragma once

#include "platform/printers.h"

namespace rb::platform {

class Win32Printers : public PrintersArea {
public:
    std::optional<std::vector<PrinterInfo2>> PrintersLevel2(uint32_t flags) override;
    PrinterEnumeration5 PrintersLevel5(uint32_t flags) override;
    std::string DefaultPrinterName() override;
    std::string ProfileEntry(std::string_view section, std::string_view key,
                             std::string_view fallback) override;
};

}  // namespace rb::platform
