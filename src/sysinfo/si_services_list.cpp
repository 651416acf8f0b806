#include "sysinfo/si_services_list.h"

namespace rb {

const ClassInfo& TServiceItem::StaticClass() {
    static const ClassInfo info("TServiceItem", &TInfoProcessCollectionItem::StaticClass(), {},
                                MakeInstance<TServiceItem>);
    return info;
}

const ClassInfo& TServicesCollection::StaticClass() {
    static const ClassInfo info("TServicesCollection", &TInfoProcessCollection::StaticClass(), {}, MakeInstance<TServicesCollection>);
    return info;
}

TServicesCollection::TServicesCollection(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TServiceItem::StaticClass()) {
    InfoName = "Servicios";
}

void TServicesCollection::GetInfo() {}

void TServicesCollection::Report(StringList& list) { (void)list; }

}  // namespace rb
