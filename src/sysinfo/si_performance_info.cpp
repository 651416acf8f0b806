#include "sysinfo/si_performance_info.h"

#include "core/text.h"
#include "platform/platform.h"

namespace rb {

const ClassInfo& TPerformanceItem::StaticClass() {
    static const ClassInfo info("TPerformanceItem", &TInfoProcessCollectionItem::StaticClass(),
                                {Prop<&TPerformanceItem::TimeElapsed>("TimeElapsed", "DWORD"),
                                 Prop<&TPerformanceItem::TestName>("TestName")},
                                MakeInstance<TPerformanceItem>);
    return info;
}

const ClassInfo& TPerformanceInfo::StaticClass() {
    static const ClassInfo info("TPerformanceInfo", &TInfoProcessCollection::StaticClass(),
                                {Prop<&TPerformanceInfo::StartingTick>("StartingTick", "DWORD")},
                                MakeInstance<TPerformanceInfo>);
    return info;
}

TPerformanceInfo::TPerformanceInfo(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TPerformanceItem::StaticClass()) {
    InfoName = "Performance";
}

void TPerformanceInfo::Start() {
    Clear();
    StartingTick = platform::Current().System().TickCount();
}

void TPerformanceInfo::StepDone(const std::string& caption) {
    // Unsigned arithmetic: a wrap of the tick count still gives the right difference.
    Add(caption, platform::Current().System().TickCount() - StartingTick);
    StartingTick = platform::Current().System().TickCount();
}

TPerformanceItem& TPerformanceInfo::Add(const std::string& caption, uint32_t milliseconds) {
    auto& item = AddItem<TPerformanceItem>();
    item.TestName = caption;
    item.TimeElapsed = milliseconds;
    return item;
}

void TPerformanceInfo::Report(StringList& list) {
    list.Add("[Performance]");
    for (int i = 0; i < Count(); ++i) {
        const auto& item = ItemAs<TPerformanceItem>(i);
        list.Add(Format("Proceso: %s - Tiempo msec: %u", item.TestName.c_str(),
                        static_cast<unsigned>(item.TimeElapsed)));
    }
}

}  // namespace rb
