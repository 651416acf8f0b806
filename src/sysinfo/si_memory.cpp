#include "sysinfo/si_memory.h"

namespace rb {

const ClassInfo& TMemory::StaticClass() {
    static const ClassInfo info("TMemory", &TInfoProcess::StaticClass(), {}, MakeInstance<TMemory>);
    return info;
}

TMemory::TMemory(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("Memoria");
}

void TMemory::GetInfo() {}

void TMemory::Report(StringList& list) { list.Add("[Memory]"); }

}  // namespace rb
