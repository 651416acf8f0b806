#include "sysinfo/si_printers.h"

#include <algorithm>

#include "core/text.h"
#include "sysinfo/list_report.h"

namespace rb {

const ClassInfo& TPrinterDeviceComplete::StaticClass() {
    using P = TPrinterDeviceComplete;
    static const ClassInfo info("TPrinterDeviceComplete", &CollectionItem::StaticClass(),
                                {
                                    Prop<&P::ServerName>("ServerName"),
                                    Prop<&P::PrinterName>("PrinterName"),
                                    Prop<&P::ShareName>("ShareName"),
                                    Prop<&P::PortName>("PortName"),
                                    Prop<&P::DriverName>("DriverName"),
                                    Prop<&P::Comment>("Comment"),
                                    Prop<&P::Location>("Location"),
                                    Prop<&P::SepFile>("SepFile"),
                                    Prop<&P::PrintProcessor>("PrintProcessor"),
                                    Prop<&P::Datatype>("Datatype"),
                                    Prop<&P::Parameters>("Parameters"),
                                    Prop<&P::Attributes>("Attributes"),
                                    Prop<&P::Priority>("Priority"),
                                    Prop<&P::DefaultPriority>("DefaultPriority"),
                                    Prop<&P::StartTime>("StartTime"),
                                    Prop<&P::UntilTime>("UntilTime"),
                                    Prop<&P::Status>("Status"),
                                    Prop<&P::cJobs>("cJobs"),
                                    Prop<&P::AveragePPM>("AveragePPM"),
                                },
                                MakeInstance<TPrinterDeviceComplete>);
    return info;
}

std::string TPrinterDeviceComplete::DisplayName() const {
    const size_t slash = PrinterName.rfind('\\');
    std::string name = slash == std::string::npos ? PrinterName : PrinterName.substr(slash + 1);
    // The server name comes as "\\SERVER".
    if (!ServerName.empty()) {
        name += " en " + ServerName.substr(std::min<size_t>(2, ServerName.size()));
    }
    return name;
}

const ClassInfo& TPrinters::StaticClass() {
    static const ClassInfo info("TPrinters", &TInfoProcessCollection::StaticClass(),
                                {Prop<&TPrinters::DefaultIndex>("DefaultIndex")},
                                MakeInstance<TPrinters>);
    return info;
}

TPrinters::TPrinters(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TPrinterDeviceComplete::StaticClass()) {
    InfoName = "Impresoras";
}

void TPrinters::GetInfo() {}

void TPrinters::Report(StringList& list) {
    ReportList("Printers", Count(), [this](int i) {
        const auto& p = ItemAs<TPrinterDeviceComplete>(i);
        return Format("%s on %s=%d", p.PrinterName.c_str(), p.PortName.c_str(),
                      i == DefaultIndex ? 1 : 0);
    }, list);
}

}  // namespace rb
