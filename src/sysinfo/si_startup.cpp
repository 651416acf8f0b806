#include "sysinfo/si_startup.h"

namespace rb {

const ClassInfo& TStartupItem::StaticClass() {
    static const ClassInfo info("TStartupItem", &CollectionItem::StaticClass(), {},
                                MakeInstance<TStartupItem>);
    return info;
}

const ClassInfo& TStartup::StaticClass() {
    static const ClassInfo info("TStartup", &TInfoProcessCollection::StaticClass(), {}, MakeInstance<TStartup>);
    return info;
}

TStartup::TStartup(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TStartupItem::StaticClass()) {
    InfoName = "Inicio";
}

void TStartup::GetInfo() {}

void TStartup::Report(StringList& list) { (void)list; }

}  // namespace rb
