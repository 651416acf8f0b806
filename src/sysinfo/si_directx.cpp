#include "sysinfo/si_directx.h"

namespace rb {

const ClassInfo& TDirectX::StaticClass() {
    static const ClassInfo info("TDirectX", &TInfoProcess::StaticClass(), {}, MakeInstance<TDirectX>);
    return info;
}

TDirectX::TDirectX(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("DirectX");
}

void TDirectX::GetInfo() {}

void TDirectX::Report(StringList& list) { list.Add("[DirectX]"); }

}  // namespace rb
