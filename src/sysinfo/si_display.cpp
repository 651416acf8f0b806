#include "sysinfo/si_display.h"

namespace rb {

const ClassInfo& TDisplay::StaticClass() {
    static const ClassInfo info("TDisplay", &TInfoProcessCollectionItem::StaticClass(), {},
                                MakeInstance<TDisplay>);
    return info;
}

const ClassInfo& TDisplays::StaticClass() {
    static const ClassInfo info("TDisplays", &TInfoProcessCollectionWithDevices::StaticClass(), {}, MakeInstance<TDisplays>);
    return info;
}

TDisplays::TDisplays(TStringCollection* errorList, TDevices* devices)
    : TInfoProcessCollectionWithDevices(errorList, devices, TDisplay::StaticClass()) {
    InfoName = "Visualizadores";
}

void TDisplays::GetInfo() {}

void TDisplays::Report(StringList& list) { (void)list; }

}  // namespace rb
