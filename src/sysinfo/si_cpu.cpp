#include "sysinfo/si_cpu.h"

namespace rb {

const ClassInfo& TCPU::StaticClass() {
    static const ClassInfo info("TCPU", &TInfoProcess::StaticClass(), {}, MakeInstance<TCPU>);
    return info;
}

TCPU::TCPU(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("CPU");
}

void TCPU::GetInfo() {}

void TCPU::Report(StringList& list) { list.Add("[CPU]"); }

}  // namespace rb
