#include "sysinfo/si_devices.h"

namespace rb {

const ClassInfo& TDevice::StaticClass() {
    static const ClassInfo info("TDevice", &CollectionItem::StaticClass(), {},
                                MakeInstance<TDevice>);
    return info;
}

const ClassInfo& TDevices::StaticClass() {
    static const ClassInfo info("TDevices", &TInfoProcessCollection::StaticClass(), {}, MakeInstance<TDevices>);
    return info;
}

TDevices::TDevices(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TDevice::StaticClass()) {
    InfoName = "Dispositivos";
}

void TDevices::GetInfo() {}

void TDevices::Report(StringList& list) { list.Add("[Devices]"); }

}  // namespace rb
