#include "sysinfo/si_disk.h"

namespace rb {

const ClassInfo& TDisk::StaticClass() {
    static const ClassInfo info("TDisk", &TInfoProcessCollectionItem::StaticClass(), {},
                                MakeInstance<TDisk>);
    return info;
}

const ClassInfo& TDisks::StaticClass() {
    static const ClassInfo info("TDisks", &TInfoProcessCollection::StaticClass(), {}, MakeInstance<TDisks>);
    return info;
}

TDisks::TDisks(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TDisk::StaticClass()) {
    InfoName = "Discos";
}

void TDisks::GetInfo() {}

void TDisks::Report(StringList& list) { list.Add("[Disks]"); }

}  // namespace rb
