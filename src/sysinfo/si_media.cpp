#include "sysinfo/si_media.h"

#include "core/text.h"
#include "sysinfo/routines.h"

namespace rb {

const ClassInfo& TMediaItem::StaticClass() {
    using M = TMediaItem;
    static const ClassInfo info("TMediaItem", &CollectionItem::StaticClass(),
                                {
                                    Prop<&M::Mid>("Mid"),
                                    Prop<&M::Pid>("Pid"),
                                    Prop<&M::DriverVersion>("DriverVersion"),
                                    Prop<&M::ProductName>("ProductName"),
                                    Prop<&M::Support>("Support"),
                                },
                                MakeInstance<TMediaItem>);
    return info;
}

const ClassInfo& TWOCMediaItem::StaticClass() {
    using M = TWOCMediaItem;
    static const ClassInfo info("TWOCMediaItem", &TMediaItem::StaticClass(),
                                {Prop<&M::Formats>("Formats"), Prop<&M::Channels>("Channels")},
                                MakeInstance<TWOCMediaItem>);
    return info;
}

const ClassInfo& TWICMediaItem::StaticClass() {
    using M = TWICMediaItem;
    static const ClassInfo info("TWICMediaItem", &TMediaItem::StaticClass(),
                                {Prop<&M::Formats>("Formats"), Prop<&M::Channels>("Channels"),
                                 Prop<&M::Reserved1>("Reserved1")},
                                MakeInstance<TWICMediaItem>);
    return info;
}

const ClassInfo& TMOCMediaItem::StaticClass() {
    using M = TMOCMediaItem;
    static const ClassInfo info("TMOCMediaItem", &TMediaItem::StaticClass(),
                                {Prop<&M::Technology>("Technology"), Prop<&M::Voices>("Voices"),
                                 Prop<&M::Notes>("Notes"), Prop<&M::ChannelMask>("ChannelMask")},
                                MakeInstance<TMOCMediaItem>);
    return info;
}

const ClassInfo& TMICMediaItem::StaticClass() {
    static const ClassInfo info("TMICMediaItem", &TMediaItem::StaticClass(), {},
                                MakeInstance<TMICMediaItem>);
    return info;
}

const ClassInfo& TAXCMediaItem::StaticClass() {
    static const ClassInfo info("TAXCMediaItem", &TMediaItem::StaticClass(),
                                {Prop<&TAXCMediaItem::Technology>("Technology")},
                                MakeInstance<TAXCMediaItem>);
    return info;
}

const ClassInfo& TMXCMediaItem::StaticClass() {
    static const ClassInfo info("TMXCMediaItem", &TMediaItem::StaticClass(),
                                {Prop<&TMXCMediaItem::Destinations>("Destinations")},
                                MakeInstance<TMXCMediaItem>);
    return info;
}

namespace {

// Device types in the report's order, with their names.
struct MediaType {
    const ClassInfo& (*itemClass)();
    const char* name;
};
const MediaType kMediaTypes[] = {
    {&TWOCMediaItem::StaticClass, "Wave Out"}, {&TWICMediaItem::StaticClass, "Wave In"},
    {&TMICMediaItem::StaticClass, "Midi In"},  {&TMOCMediaItem::StaticClass, "Midi Out"},
    {&TAXCMediaItem::StaticClass, "Auxiliar"}, {&TMXCMediaItem::StaticClass, "Mixer"},
};

}  // namespace

std::string MediaDriverVersionText(uint32_t version) {
    return Format("%u.%u", (version >> 8) & 0xFFu, version & 0xFFu);
}

const char* MediaTypeName(const ClassInfo& itemClass) {
    for (const MediaType& t : kMediaTypes) {
        if (&t.itemClass() == &itemClass) return t.name;
    }
    return "Item de Media";
}

std::string TMediaItem::DisplayName() const {
    return ProductName + " v" + MediaDriverVersionText(DriverVersion);
}

const ClassInfo& TMedia::StaticClass() {
    using M = TMedia;
    static const ClassInfo info("TMedia", &TInfoProcessCollectionWithDevices::StaticClass(),
                                {
                                    Prop<&M::GamePortIndex>("GamePortIndex"),
                                    Prop<&M::SoundCardIndex>("SoundCardIndex"),
                                    Prop<&M::AvailableDevices>("AvailableDevices"),
                                },
                                MakeInstance<TMedia>);
    return info;
}

TMedia::TMedia(TStringCollection* errorList, TDevices* devices)
    : TInfoProcessCollectionWithDevices(errorList, devices, TMediaItem::StaticClass()),
      AvailableDevices(std::make_unique<TStringCollection>()) {
    InfoName = "Media";
}

void TMedia::Report(StringList& list) {
    list.Add("[Media]");
    ListToReport(AvailableDevices->GetStrings(), "Count", "Device", list);
    list.Add("[Sound]");
    for (const MediaType& t : kMediaTypes) {
        const ClassInfo& cls = t.itemClass();
        int count = 0;
        for (int i = 0; i < Count(); ++i) count += &Item(i).Class() == &cls;
        list.Add(Format("[%s]", t.name));
        list.Add(Format("Count=%d", count));
        // Numbered by position in the whole collection, not within the type.
        for (int i = 0; i < Count(); ++i) {
            const auto& item = ItemAs<TMediaItem>(i);
            if (&item.Class() != &cls) continue;
            list.Add(Format("%s%d=%s", t.name, i + 1, item.DisplayName().c_str()));
        }
    }
}

}  // namespace rb
