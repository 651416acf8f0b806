#include "sysinfo/si_machine.h"

namespace rb {

const ClassInfo& TMachine::StaticClass() {
    static const ClassInfo info("TMachine", &TInfoProcess::StaticClass(), {}, MakeInstance<TMachine>);
    return info;
}

TMachine::TMachine(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("Computadora");
}

void TMachine::GetInfo() {}

void TMachine::Report(StringList& list) { list.Add("[Machine]"); }

}  // namespace rb
