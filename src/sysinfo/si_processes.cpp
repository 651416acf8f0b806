#include "sysinfo/si_processes.h"

namespace rb {

const ClassInfo& TProcess::StaticClass() {
    static const ClassInfo info("TProcess", &CollectionItem::StaticClass(), {},
                                MakeInstance<TProcess>);
    return info;
}

const ClassInfo& TProcesses::StaticClass() {
    static const ClassInfo info("TProcesses", &TInfoProcessCollection::StaticClass(), {}, MakeInstance<TProcesses>);
    return info;
}

TProcesses::TProcesses(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TProcess::StaticClass()) {
    InfoName = "Procesos";
}

void TProcesses::GetInfo() {}

void TProcesses::Report(StringList& list) { list.Add("[Processes]"); }

}  // namespace rb
