#include "sysinfo/si_processes.h"

#include "core/text.h"
#include "sysinfo/list_report.h"

namespace rb {

const ClassInfo& TProcess::StaticClass() {
    static const ClassInfo info(
        "TProcess", &CollectionItem::StaticClass(),
        {Prop<&TProcess::Pid>("Pid"), Prop<&TProcess::Location>("Location")},
        MakeInstance<TProcess>);
    return info;
}

std::string TProcess::DisplayName() const {
    // The name after the last path or drive separator.
    const size_t cut = Location.find_last_of("\\:");
    return cut == std::string::npos ? Location : Location.substr(cut + 1);
}

const ClassInfo& TProcesses::StaticClass() {
    static const ClassInfo info("TProcesses", &TInfoProcessCollection::StaticClass(), {},
                                MakeInstance<TProcesses>);
    return info;
}

TProcesses::TProcesses(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TProcess::StaticClass()) {
    InfoName = "Procesos";
}

void TProcesses::Report(StringList& list) {
    ReportList("Processes", Count(), [this](int i) {
        const auto& p = ItemAs<TProcess>(i);
        return Format("%d=%s", p.Pid, p.DisplayName().c_str());
    }, list);
}

}  // namespace rb
