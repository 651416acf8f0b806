// Gathering of the printers section: the spooler's level-2 records, then the default printer.
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_printers.h"
#include "sysinfo/si_services_decode.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

// The section's error prefixes, as the error list shows them.
constexpr char kErrorPrefix[] = "TPrinters.GetInfo 3: ";
constexpr char kPrinterErrorPrefix[] = "TPrinters.GetInfo 1: ";
constexpr char kDefaultPrinterErrorPrefix[] = "TPrinters.GetInfo 2: ";

constexpr uint32_t kEnumDefault = 1;      // PRINTER_ENUM_DEFAULT
constexpr uint32_t kEnumLocal = 2;        // PRINTER_ENUM_LOCAL
constexpr uint32_t kEnumConnections = 4;  // PRINTER_ENUM_CONNECTIONS
constexpr uint32_t kErrorInvalidName = 123;

platform::PrintersArea& Printers() {
    return platform::Current().Printers();
}

void Fill(TPrinterDeviceComplete& p, const platform::PrinterInfo2& r) {
    p.ServerName = r.serverName;
    p.PrinterName = r.printerName;
    p.ShareName = r.shareName;
    p.PortName = r.portName;
    p.DriverName = r.driverName;
    p.Comment = r.comment;
    p.Location = r.location;
    p.SepFile = r.sepFile;
    p.PrintProcessor = r.printProcessor;
    p.Datatype = r.datatype;
    p.Parameters = r.parameters;
    p.Attributes = r.attributes;
    p.Priority = r.priority;
    p.DefaultPriority = r.defaultPriority;
    p.StartTime = FloatToNeutralText(r.startTime);
    p.UntilTime = FloatToNeutralText(r.untilTime);
    p.Status = r.status;
    p.cJobs = r.jobs;
    p.AveragePPM = r.averagePPM;
}

// The printer part of the profile's "device" entry ("HP LaserJet,winspool,LPT1:").
std::string ProfileDefaultPrinter() {
    const std::string device = TrimLeft(Printers().ProfileEntry("windows", "device", ""));
    return device.substr(0, device.find(','));
}

}  // namespace

// The level-5 default enumeration answers only on Windows 95/98/ME; NT refuses it or answers
// without a record, and there the profile's entry (which NT keeps for the user's default
// printer) or GetDefaultPrinterA names it. The enumeration's failure is recorded only when
// neither does.
void TPrinters::FindDefaultPrinter() {
    const platform::PrinterEnumeration5 answer = Printers().PrintersLevel5(kEnumDefault);
    std::string name;
    if (answer.error == 0 && !answer.records.empty()) name = answer.records.front().printerName;
    if (name.empty()) name = ProfileDefaultPrinter();
    if (name.empty()) name = Printers().DefaultPrinterName();
    if (name.empty() && answer.error != 0) {
        if (answer.error == kErrorInvalidName) {
            AppendError(ErrorList(), kDefaultPrinterErrorPrefix,
                        Exception("No existe una impresora por defecto"));
            return;
        }
        throw Exception(SystemErrorText(answer.error,
                                        platform::Current().Services().ErrorMessage(answer.error)));
    }
    for (int i = 0; i < Count() && !name.empty(); ++i) {
        if (SameText(ItemAs<TPrinterDeviceComplete>(i).PrinterName, name)) {
            DefaultIndex = i;
            return;
        }
    }
}

void TPrinters::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [this] {
        Clear();
        const uint32_t flags = Facts().IsNT ? kEnumLocal | kEnumConnections : kEnumLocal;
        const auto records = Printers().PrintersLevel2(flags);
        if (!records) return;
        for (const platform::PrinterInfo2& r : *records) {
            auto& printer = AddItem<TPrinterDeviceComplete>();
            GatherGuarded(ErrorList(), kPrinterErrorPrefix, [&] { Fill(printer, r); });
        }
        // Also without printers: where the system refuses the question, the error list says
        // that there is no default printer.
        FindDefaultPrinter();
    });
}

}  // namespace rb
