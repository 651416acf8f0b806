#include "sysinfo/si_software.h"

namespace rb {

const ClassInfo& TSoftware::StaticClass() {
    static const ClassInfo info("TSoftware", &TInfoProcess::StaticClass(), {}, MakeInstance<TSoftware>);
    return info;
}

TSoftware::TSoftware(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("Software");
}

void TSoftware::GetInfo() {}

void TSoftware::Report(StringList& list) { list.Add("[Installed Software]"); }

}  // namespace rb
