#include "sysinfo/si_directx.h"

#include "sysinfo/routines.h"

namespace rb {

const ClassInfo& TDirectX::StaticClass() {
    using D = TDirectX;
    static const ClassInfo info("TDirectX", &TInfoProcess::StaticClass(),
                                {
                                    Prop<&D::Version>("Version"),
                                    Prop<&D::Direct3D>("Direct3D"),
                                    Prop<&D::DirectPlay>("DirectPlay"),
                                    Prop<&D::DirectMusic>("DirectMusic"),
                                },
                                MakeInstance<TDirectX>);
    return info;
}

TDirectX::TDirectX(TStringCollection* errorList)
    : TInfoProcess(errorList),
      Direct3D(std::make_unique<TStringCollection>()),
      DirectPlay(std::make_unique<TStringCollection>()),
      DirectMusic(std::make_unique<TStringCollection>()) {
    SetCaption("DirectX");
}

void TDirectX::GetInfo() {}

void TDirectX::Report(StringList& list) {
    list.Add("[DirectX]");
    if (Version.empty()) return;  // no DirectX: the heading alone
    list.Add("Version=" + Version);
    list.Add("[Direct3D]");
    ListToReport(Direct3D->GetStrings(), "Count", "Device", list);
    list.Add("[DirectPlay]");
    ListToReport(DirectPlay->GetStrings(), "Count", "Device", list);
    list.Add("[DirectMusic]");
    ListToReport(DirectMusic->GetStrings(), "Count", "Device", list);
}

}  // namespace rb
