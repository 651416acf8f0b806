// The printers section: installed printers with their spooler data, and the default printer.
#pragma once

#include <cstdint>
#include <string>

#include "sysinfo/section_base.h"

namespace rb {

// One printer's level-2 spooler record.
class TPrinterDeviceComplete : public CollectionItem {
    RB_PERSISTENT_CLASS
public:
    // The printer's own name, with " en <server>" for a printer of another computer.
    std::string DisplayName() const;

    std::string ServerName;  // empty for local printers
    std::string PrinterName;
    std::string ShareName;
    std::string PortName;
    std::string DriverName;
    std::string Comment;
    std::string Location;
    std::string SepFile;
    std::string PrintProcessor;
    std::string Datatype;
    std::string Parameters;
    uint32_t Attributes = 0;
    uint32_t Priority = 0;
    uint32_t DefaultPriority = 0;
    std::string StartTime;  // minutes after midnight, as a locale-neutral number
    std::string UntilTime;
    uint32_t Status = 0;
    uint32_t cJobs = 0;
    uint32_t AveragePPM = 0;
};

// The Spanish phrase of every attribute (status) bit that is set, appended to `text` in the
// order of the bits.
void PrinterAttributesText(uint32_t attributes, std::string& text);
void PrinterStatusText(uint32_t status, std::string& text);

class TPrinters : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TPrinters(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    int32_t DefaultIndex = 0;  // position of the default printer; changed only when found

private:
    void FindDefaultPrinter();
};

}  // namespace rb
