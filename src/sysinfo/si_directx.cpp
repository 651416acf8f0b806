#include "sysinfo/si_directx.h"

#include "core/text.h"
#include "sysinfo/routines.h"

namespace rb {

// The section's prefix in the error list.
constexpr char kErrorPrefix[] = "TDirectX.GetInfo: ";

const ClassInfo& TDirectX::StaticClass() {
    using D = TDirectX;
    static const ClassInfo info("TDirectX", &TInfoProcess::StaticClass(),
                                {
                                    Prop<&D::Version>("Version"),
                                    Prop<&D::Direct3D>("Direct3D"),
                                    Prop<&D::DirectPlay>("DirectPlay"),
                                    Prop<&D::DirectMusic>("DirectMusic"),
                                },
                                MakeInstance<TDirectX>);
    return info;
}

TDirectX::TDirectX(TStringCollection* errorList)
    : TInfoProcess(errorList),
      Direct3D(std::make_unique<TStringCollection>()),
      DirectPlay(std::make_unique<TStringCollection>()),
      DirectMusic(std::make_unique<TStringCollection>()) {
    SetCaption("DirectX");
}

namespace {

using platform::Current;
using platform::RootKey;

const char kDirectXKey[] = "SOFTWARE\\Microsoft\\DirectX";

// The registered components of each list, in the registry's subkey order.
struct ComponentList {
    const char* key;
    std::unique_ptr<TStringCollection> TDirectX::*list;
};
const ComponentList kComponentLists[] = {
    {"SOFTWARE\\Microsoft\\Direct3D\\Drivers", &TDirectX::Direct3D},
    {"SOFTWARE\\Microsoft\\DirectPlay\\Services", &TDirectX::DirectPlay},
    {"SOFTWARE\\Microsoft\\DirectMusic\\SoftwareSynths", &TDirectX::DirectMusic},
};

uint32_t BigEndianWord(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = at; i < at + 4; ++i) value = value << 8 | (i < bytes.size() ? bytes[i] : 0);
    return value;
}

void AddDescriptions(const ComponentList& c, TStringCollection& target) {
    std::vector<std::string> names;
    if (const auto key = Current().Reg().Open(RootKey::LocalMachine, c.key)) {
        names = key->SubKeyNames();
    }
    for (const std::string& name : names) {
        const auto sub =
            Current().Reg().Open(RootKey::LocalMachine, std::string(c.key) + "\\" + name);
        if (!sub) continue;
        if (const auto description = sub->ReadString("Description")) target.Add(*description);
    }
}

}  // namespace

// Setup writes InstalledVersion as two big-endian 32-bit numbers, major then minor
// (00 00 00 08 00 00 00 01 for 8.1); a value of four bytes gives the major number alone.
std::string DirectXVersionFromBinary(const std::vector<uint8_t>& value) {
    if (value.size() < 4) return "";
    return Format("%u.%u", BigEndianWord(value, 0),
                  value.size() >= 8 ? BigEndianWord(value, 4) : 0u);
}

void TDirectX::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [this] {
        // Version keeps its previous text when the key says nothing.
        if (const auto key = Current().Reg().Open(RootKey::LocalMachine, kDirectXKey)) {
            if (const auto text = key->ReadString("Version")) Version = *text;
            if (Version.empty() && key->ValueExists("InstalledVersion")) {
                Version = DirectXVersionFromBinary(
                    key->ReadBinary("InstalledVersion").value_or(std::vector<uint8_t>()));
            }
        }
        for (const ComponentList& c : kComponentLists) (this->*c.list)->Clear();
        for (const ComponentList& c : kComponentLists) AddDescriptions(c, *(this->*c.list));
    });
}

void TDirectX::Report(StringList& list) {
    list.Add("[DirectX]");
    if (Version.empty()) return;  // no DirectX: the heading alone
    list.Add("Version=" + Version);
    list.Add("[Direct3D]");
    ListToReport(Direct3D->GetStrings(), "Count", "Device", list);
    list.Add("[DirectPlay]");
    ListToReport(DirectPlay->GetStrings(), "Count", "Device", list);
    list.Add("[DirectMusic]");
    ListToReport(DirectMusic->GetStrings(), "Count", "Device", list);
}

}  // namespace rb
