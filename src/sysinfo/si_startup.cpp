#include "sysinfo/si_startup.h"

#include "core/text.h"
#include "sysinfo/list_report.h"

namespace rb {

const EnumInfo& DescribeEnum(TRunType) {
    static const char* const names[] = {"rtHKCU", "rtHKLM",   "rtOnce",
                                        "rtUser", "rtCommon", "rtWinINI"};
    static const EnumInfo info{"TRunType", names, 6};
    return info;
}

const ClassInfo& TStartupItem::StaticClass() {
    using S = TStartupItem;
    static const ClassInfo info("TStartupItem", &CollectionItem::StaticClass(),
                                {
                                    Prop<&S::ProcessName>("ProcessName"),
                                    Prop<&S::ProcessLine>("ProcessLine"),
                                    Prop<&S::Location>("Location"),
                                },
                                MakeInstance<TStartupItem>);
    return info;
}

const ClassInfo& TStartup::StaticClass() {
    static const ClassInfo info("TStartup", &TInfoProcessCollection::StaticClass(), {},
                                MakeInstance<TStartup>);
    return info;
}

TStartup::TStartup(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TStartupItem::StaticClass()) {
    InfoName = "Inicio";
}


void TStartup::ItemsAt(TRunType location, StringList& indexes) const {
    indexes.Clear();
    for (int i = 0; i < Count(); ++i) {
        if (ItemAs<TStartupItem>(i).Location == location) indexes.Add(IntToStr(i));
    }
}

void TStartup::Report(StringList& list) {
    // The common folder and WIN.INI entries are not part of the report.
    struct Group {
        const char* name;
        TRunType location;
    };
    static const Group groups[] = {
        {"User Startup", TRunType::rtUser},
        {"HKLM Run", TRunType::rtHKLM},
        {"HKCU Run", TRunType::rtHKCU},
        {"Run Once", TRunType::rtOnce},
    };
    for (const Group& g : groups) {
        StringList lines;
        for (int i = 0; i < Count(); ++i) {
            const auto& item = ItemAs<TStartupItem>(i);
            if (item.Location == g.location) lines.Add(item.ProcessName + "=" + item.ProcessLine);
        }
        ReportList(g.name, lines.Count(), [&lines](int i) { return lines[i]; }, list);
        list.Add("");
    }
}

}  // namespace rb
