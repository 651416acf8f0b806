#include "sysinfo/si_os.h"

namespace rb {

const ClassInfo& TOperatingSystem::StaticClass() {
    static const ClassInfo info("TOperatingSystem", &TInfoProcess::StaticClass(), {}, MakeInstance<TOperatingSystem>);
    return info;
}

TOperatingSystem::TOperatingSystem(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("Sistema Operativo");
}

void TOperatingSystem::GetInfo() {}

void TOperatingSystem::Report(StringList& list) { list.Add("[Operating System]"); }

}  // namespace rb
