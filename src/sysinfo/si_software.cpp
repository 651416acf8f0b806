#include "sysinfo/si_software.h"

#include "sysinfo/routines.h"

namespace rb {

const ClassInfo& TSoftware::StaticClass() {
    static const ClassInfo info("TSoftware", &TInfoProcess::StaticClass(),
                                {Prop<&TSoftware::Installed>("Installed")},
                                MakeInstance<TSoftware>);
    return info;
}

TSoftware::TSoftware(TStringCollection* errorList)
    : TInfoProcess(errorList), Installed(std::make_unique<TStringCollection>()) {
    SetCaption("Software");
}


void TSoftware::Report(StringList& list) {
    list.Add("[Installed Software]");
    ListToReport(Installed->GetStrings(), "Count", "Item", list);
}

}  // namespace rb
