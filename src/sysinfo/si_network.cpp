#include "sysinfo/si_network.h"

namespace rb {

const ClassInfo& TNetworkItem::StaticClass() {
    static const ClassInfo info("TNetworkItem", &CollectionItem::StaticClass(), {},
                                MakeInstance<TNetworkItem>);
    return info;
}

const ClassInfo& TNetwork::StaticClass() {
    static const ClassInfo info("TNetwork", &TInfoProcessCollectionWithDevices::StaticClass(), {}, MakeInstance<TNetwork>);
    return info;
}

TNetwork::TNetwork(TStringCollection* errorList, TDevices* devices)
    : TInfoProcessCollectionWithDevices(errorList, devices, TNetworkItem::StaticClass()) {
    InfoName = "Red";
}

void TNetwork::GetInfo() {}

void TNetwork::Report(StringList& list) { list.Add("[Network]"); }

}  // namespace rb
