#include "sysinfo/si_display.h"

#include "core/text.h"
#include "sysinfo/routines.h"

namespace rb {

const ClassInfo& TDisplay::StaticClass() {
    using C = TDisplay;
    static const ClassInfo info("TDisplay", &TInfoProcessCollectionItem::StaticClass(),
                                {
                                    Prop<&C::Modes>("Modes"),
                                    Prop<&C::Adapter>("Adapter"),
                                    Prop<&C::DAC>("DAC"),
                                    Prop<&C::Chipset>("Chipset"),
                                    Prop<&C::Memory>("Memory"),
                                    Prop<&C::HorzRes>("HorzRes"),
                                    Prop<&C::VertRes>("VertRes"),
                                    Prop<&C::ColorDepth>("ColorDepth"),
                                    Prop<&C::BIOSVersion>("BIOSVersion"),
                                    Prop<&C::BIOSDate>("BIOSDate"),
                                    Prop<&C::Technology>("Technology"),
                                    Prop<&C::PixelWidth>("PixelWidth"),
                                    Prop<&C::PixelHeight>("PixelHeight"),
                                    Prop<&C::PixelDiagonal>("PixelDiagonal"),
                                    Prop<&C::RasterCaps>("RasterCaps"),
                                    Prop<&C::CurveCaps>("CurveCaps"),
                                    Prop<&C::LineCaps>("LineCaps"),
                                    Prop<&C::PolygonCaps>("PolygonCaps"),
                                    Prop<&C::TextCaps>("TextCaps"),
                                    Prop<&C::FontResolution>("FontResolution"),
                                },
                                MakeInstance<TDisplay>);
    return info;
}

TDisplay::TDisplay(TStringCollection* errorList)
    : TInfoProcessCollectionItem(errorList), Modes(std::make_unique<TStringCollection>()) {}

void TDisplay::Report(StringList& list) {
    list.Add("[Display]");
    list.Add("Adapter=" + Adapter);
    list.Add("Chipset=" + Chipset);
    list.Add("DAC=" + DAC);
    list.Add(Format("Memory=%lld", static_cast<long long>(Memory)));
    list.Add("BIOSVersion=" + BIOSVersion);
    list.Add("BIOSDate=" + BIOSDate);
    list.Add("Technology=" + Technology);
    list.Add(Format("HorzRes=%d", HorzRes));
    list.Add(Format("VertRes=%d", VertRes));
    list.Add(Format("ColorDepth=%d", ColorDepth));
    list.Add(Format("PixelWidth=%d", PixelWidth));
    list.Add(Format("PixelHeight=%d", PixelHeight));
    list.Add(Format("PixelDiag=%d", PixelDiagonal));
    list.Add(Format("FontRes=%d", FontResolution));
    list.Add("[Video Modes]");
    ListToReport(Modes->GetStrings(), "Count", "Mode", list);
    ReportCurveCaps(CurveCaps, list);
    ReportLineCaps(LineCaps, list);
    ReportPolygonCaps(PolygonCaps, list);
    ReportRasterCaps(RasterCaps, list);
    ReportTextCaps(TextCaps, list);
}

const ClassInfo& TDisplays::StaticClass() {
    static const ClassInfo info("TDisplays", &TInfoProcessCollectionWithDevices::StaticClass(),
                                {}, MakeInstance<TDisplays>);
    return info;
}

TDisplays::TDisplays(TStringCollection* errorList, TDevices* devices)
    : TInfoProcessCollectionWithDevices(errorList, devices, TDisplay::StaticClass()) {
    InfoName = "Visualizadores";
}

void TDisplays::Report(StringList& list) {
    for (int i = 0; i < Count(); ++i) Display(i).Report(list);
}

TDisplay* TDisplays::FindByName(std::string_view name) const {
    if (Count() == 0) return nullptr;
    for (int i = 0; i < Count(); ++i) {
        if (Display(i).DisplayName() == name) return &Display(i);
    }
    return &Display(0);
}

}  // namespace rb
