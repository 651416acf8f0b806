// The simulated printers and profile entries.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/printers.h"

namespace rb::platform {

class SimPrinters : public PrintersArea {
public:
    std::optional<std::vector<PrinterInfo2>> level2 = std::vector<PrinterInfo2>{};
    PrinterEnumeration5 defaultLevel5;  // its error: the call fails with that code
    std::string defaultPrinter;          // GetDefaultPrinterA's answer
    std::vector<uint32_t> flagsAsked;  // every enumeration's flags, in order
    // "section\key" -> value.
    std::map<std::string, std::string> profile;

    std::optional<std::vector<PrinterInfo2>> PrintersLevel2(uint32_t flags) override {
        flagsAsked.push_back(flags);
        return level2;
    }
    PrinterEnumeration5 PrintersLevel5(uint32_t flags) override {
        flagsAsked.push_back(flags);
        return defaultLevel5;
    }
    std::string DefaultPrinterName() override { return defaultPrinter; }
    std::string ProfileEntry(std::string_view section, std::string_view key,
                             std::string_view fallback) override {
        const auto it = profile.find(std::string(section) + "\\" + std::string(key));
        return it == profile.end() ? std::string(fallback) : it->second;
    }
};

}  // namespace rb::platform
