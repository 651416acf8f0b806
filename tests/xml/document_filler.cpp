#include "xml/document_filler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/text.h"
#include "sysinfo/msystem_info.h"
#include "sysinfo/string_collection.h"

namespace rb {

namespace {

// Distinct values by width; every fourth unsigned 32-bit value lies at 2^31 or above, every
// third text spans two lines, and each text carries the characters that need escaping.
int64_t IntegerValue(OrdType ord, int seq) {
    const int64_t sign = seq % 2 ? -1 : 1;
    switch (ord) {
        case OrdType::SByte:
            return -(1 + seq % 127);
        case OrdType::UByte:
            return 1 + seq % 255;
        case OrdType::SWord:
            return sign * (1 + seq % 32000);
        case OrdType::UWord:
            return 1 + (seq * 977) % 65535;
        case OrdType::SLong:
            return sign * (100003 * seq + 7);
        case OrdType::ULong:
            return seq % 4 ? 1000 * seq + 3 : 0x80000000LL + seq;
    }
    return seq;
}

std::string TextValue(const PropInfo& prop, int seq) {
    if (seq % 3 == 0) return Format("%s %d línea\r\nsegunda línea <%d>", prop.name, seq, seq);
    return Format("%s %d: Año <%d> & Ñandú \"%d\"", prop.name, seq, seq, seq);
}

uint32_t SetValue(const EnumInfo& info, int seq) {
    const int n = info.count;
    return (1u << (seq % n)) | (1u << ((seq * 7 + 3) % n));
}

}  // namespace

void PropertyFiller::Fill(Persistent& obj) {
    for (const PropInfo& prop : obj.Class().Properties()) FillProperty(obj, prop);
    if (auto* collection = dynamic_cast<Collection*>(&obj)) FillItems(*collection);
}

void PropertyFiller::FillProperty(Persistent& obj, const PropInfo& prop) {
    const int seq = ++seq_;
    switch (prop.kind) {
        case TypeKind::tkClass:
            if (Persistent* child = prop.getObj(obj)) Fill(*child);
            return;
        case TypeKind::tkString:
        case TypeKind::tkLString:
            prop.setStr(obj, TextValue(prop, seq));
            return;
        case TypeKind::tkInteger:
            prop.setOrd(obj, IntegerValue(prop.ord, seq));
            return;
        case TypeKind::tkChar:
            prop.setOrd(obj, 33 + (seq * 37) % 223);
            return;
        case TypeKind::tkInt64:
            prop.setOrd(obj, (seq % 2 ? -1 : 1) * ((int64_t{1} << 33) + seq));
            return;
        case TypeKind::tkEnumeration: {
            const int n = prop.enumInfo->count;
            prop.setOrd(obj, n > 1 ? 1 + seq % (n - 1) : 0);  // never the first member
            return;
        }
        case TypeKind::tkSet:
            prop.setOrd(obj, SetValue(*prop.enumInfo, seq));
            return;
        default:
            ADD_FAILURE() << "no value for the kind of " << prop.name;
            return;
    }
}

void PropertyFiller::FillItems(Collection& collection) {
    // An item element without children is not read back as an item (a network item has no
    // properties, and nothing fills that collection).
    if (collection.ItemClass().Properties().empty()) return;
    const bool strings = dynamic_cast<TStringCollection*>(&collection) != nullptr;
    for (int i = 0; i < kFilledItems + (strings ? 1 : 0); ++i) Fill(collection.Add());
}

namespace {

void DeviceClassItems(TMedia& media, PropertyFiller& filler) {
    media.Clear();
    std::vector<std::unique_ptr<TMediaItem>> items;
    items.push_back(std::make_unique<TWOCMediaItem>());
    items.push_back(std::make_unique<TWICMediaItem>());
    items.push_back(std::make_unique<TMOCMediaItem>());
    items.push_back(std::make_unique<TMICMediaItem>());
    items.push_back(std::make_unique<TAXCMediaItem>());
    items.push_back(std::make_unique<TMXCMediaItem>());
    for (auto& item : items) {
        filler.Fill(*item);
        media.Append(std::move(item));
    }
}

// Values a generic filler would not think of.
void EdgeValues(TMSystemInfo& info) {
    info.OS->TimeZone->DisplayName = "(GMT+01:00) Bruselas, Copenhague, Madrid, París";
    info.CPU->CodeName = "Coppermine (0.18 µm)";
    info.Machine->Name = "PC-DE-MARÍA";
    info.Machine->User = "José Núñez";
    info.OS->rDecimalSeparator = ',';
    info.OS->rThousandSeparator = '.';
    info.OS->rHourSeparator = '\xFF';  // ÿ, the highest character
    info.Engines->ADO = "primera línea\r\nsegunda línea";
    info.Devices->ItemAs<TDevice>(0).HardwareID = "PCI\\VEN_8086&DEV_7190 &lt;literal&gt;";
    info.ErrorList->ItemAs<TStringCollectionItem>(0).TheString = "TMachine.GetInfo: a <b> & c";
    auto& disk = info.Disks->ItemAs<TDisk>(0);
    disk.DriveLetter = "C:";
    disk.FreeSpace = INT64_MIN;
    disk.Capacity = INT64_MAX;
    disk.FreeClusters = UINT32_MAX;
    info.Disks->ItemAs<TDisk>(1).DriveLetter = "D:";
    info.Memory->PhysicalTotal = int64_t{1} << 32;
    info.APM->BatteryLifePercent = 255;
    info.APM->BatteryLifeTime = -1;
    info.ProcessList = {TProcessPage::pgOS, TProcessPage::pgMem, TProcessPage::pgDisk};
}

}  // namespace

void FillDocument(TXMLSysInfo& doc, MediaItems media) {
    PropertyFiller filler;
    filler.Fill(doc);
    doc.InfoTag = "InfoSistema";  // the top element's name: it must stay a plain name
    if (media == MediaItems::DeviceClasses) DeviceClassItems(*doc.SystemInfo->Media, filler);
    EdgeValues(*doc.SystemInfo);
}

void BaseMediaItems(TMedia& media) {
    std::vector<std::unique_ptr<TMediaItem>> plain;
    for (int i = 0; i < media.Count(); ++i) {
        const auto& from = media.ItemAs<TMediaItem>(i);
        auto item = std::make_unique<TMediaItem>();
        for (const PropInfo& prop : TMediaItem::StaticClass().Properties()) {
            if (prop.IsString())
                prop.setStr(*item, prop.getStr(from));
            else
                prop.setOrd(*item, prop.getOrd(from));
        }
        plain.push_back(std::move(item));
    }
    media.Clear();
    for (auto& item : plain) media.Append(std::move(item));
}

}  // namespace rb
