#include "sysinfo/si_engines.h"

namespace rb {

const ClassInfo& TEngines::StaticClass() {
    static const ClassInfo info("TEngines", &TInfoProcess::StaticClass(), {}, MakeInstance<TEngines>);
    return info;
}

TEngines::TEngines(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("Motores");
}

void TEngines::GetInfo() {}

void TEngines::Report(StringList& list) { (void)list; }

}  // namespace rb
