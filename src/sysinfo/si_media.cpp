#include "sysinfo/si_media.h"

namespace rb {

const ClassInfo& TMediaItem::StaticClass() {
    static const ClassInfo info("TMediaItem", &CollectionItem::StaticClass(), {},
                                MakeInstance<TMediaItem>);
    return info;
}

const ClassInfo& TMedia::StaticClass() {
    static const ClassInfo info("TMedia", &TInfoProcessCollectionWithDevices::StaticClass(), {}, MakeInstance<TMedia>);
    return info;
}

TMedia::TMedia(TStringCollection* errorList, TDevices* devices)
    : TInfoProcessCollectionWithDevices(errorList, devices, TMediaItem::StaticClass()) {
    InfoName = "Media";
}

void TMedia::GetInfo() {}

void TMedia::Report(StringList& list) { list.Add("[Media]"); }

}  // namespace rb
