#include "sysinfo/si_apm.h"

namespace rb {

const ClassInfo& TAPM::StaticClass() {
    static const ClassInfo info("TAPM", &TInfoProcess::StaticClass(), {}, MakeInstance<TAPM>);
    return info;
}

TAPM::TAPM(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("APM");
}

void TAPM::GetInfo() {}

void TAPM::Report(StringList& list) { list.Add("[Advanced Power Management]"); }

}  // namespace rb
