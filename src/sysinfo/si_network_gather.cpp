// The network section over the platform: the sockets implementation, the host's addresses,
// the adapters of the device tree, the installed network components and the hardware
// addresses (NetBIOS first, the IP helper when NetBIOS gives none).
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/si_network.h"

namespace rb {
namespace {

// The section's error prefixes, as the error list shows them.
constexpr char kErrorPrefix[] = "TNetwork.GetInfo: ";
constexpr char kWinsockErrorPrefix[] = "TWinsock.GetInfo: ";

constexpr size_t kDescriptionLength = 256;
constexpr size_t kStatusLength = 128;
constexpr uint32_t kLoopbackType = 24;  // MIB_IF_TYPE_LOOPBACK
const char kUnknownMac[] = "??:??:??:??:??:??";

platform::NetworkArea& Network() {
    return platform::Current().Network();
}

constexpr size_t kMacLength = 6;  // the hardware addresses the section lists

std::string MacText(const uint8_t* bytes) {
    return Format("%2.2x:%2.2x:%2.2x:%2.2x:%2.2x:%2.2x", bytes[0], bytes[1], bytes[2], bytes[3],
                  bytes[4], bytes[5]);
}

void AddOnce(TStringCollection& list, const std::string& text) {
    if (list.IndexOf(text) < 0) list.Add(text);
}

}  // namespace

void TWinsock::GetInfo() {
    GatherGuarded(ErrorList(), kWinsockErrorPrefix, [this] {
        const auto data = Network().Winsock(0x0101);
        if (!data) {
            Status = "Winsock cannot be initialized.";
            return;
        }
        Description = data->description.substr(0, kDescriptionLength);
        Status = data->systemStatus.substr(0, kStatusLength);
        MajorVersion = data->highVersion & 0xFF;
        MinorVersion = data->highVersion >> 8;
    });
}

// The device section as it stands (the aggregate gathers it first); without one, a temporary
// tree of its own.
void TNetwork::GatherAdapters() {
    Adapters->Clear();
    CardAdapterIndex = -1;
    std::unique_ptr<TDevices> own;
    const TDevices& devices = DevicesAtHand(own);
    for (int i = 0; i < devices.Count(); ++i) {
        const TDevice& d = devices.Device(i);
        if (d.DeviceClass != TDeviceClass::dcNet) continue;
        const int index = Adapters->Add(d.DisplayName());
        if (!d.Location.empty() && CardAdapterIndex == -1) CardAdapterIndex = index;
    }
}

// NetBIOS is often off or absent on later systems; when it yields no address at all, the IP
// helper's adapters give theirs: six bytes, as NetBIOS gives them. Loopback adapters and
// addresses of any other length (none, or the eight bytes of a tunnel or FireWire adapter)
// are left out.
void TNetwork::GatherMACAddresses() {
    MACAddresses->Clear();
    bool found = false;
    for (const uint8_t adapter : Network().NetBiosAdapters()) {
        const platform::NetBiosStatus status = Network().NetBiosAddress(adapter);
        if (!status.reset) continue;
        found = found || status.address.has_value();
        AddOnce(*MACAddresses, status.address ? MacText(status.address->data()) : kUnknownMac);
    }
    if (found) return;
    const auto adapters = Network().Adapters();
    if (!adapters) return;
    for (const platform::NetworkAdapter& a : *adapters) {
        if (a.type == kLoopbackType || a.address.size() != kMacLength) continue;
        AddOnce(*MACAddresses, MacText(a.address.data()));
    }
}

void TNetwork::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [this] {
        WinSock->GetInfo();
        StringList addresses;
        for (const std::string& a : Network().HostAddresses()) addresses.Add(a);
        IPAddresses->SetCommaText(addresses.CommaText());
        GatherAdapters();
        const SystemFacts& f = Facts();
        const bool newer = f.IsWin2K || f.IsXP;
        const std::string classKey =
            newer ? "SYSTEM\\CurrentControlSet\\Control\\Network" : f.ClassKey;
        const std::string valueName = newer ? "Description" : "DriverDesc";
        const std::pair<const char*, TStringCollection*> kinds[] = {{"NetTrans", Protocols.get()},
                                                                    {"NetService", Services.get()},
                                                                    {"NetClient", Clients.get()}};
        for (const auto& [className, target] : kinds) {
            StringList list;
            std::string key;
            GetClassDevices(classKey, className, valueName, list, key);
            target->AddStrings(list, true);
        }
        GatherMACAddresses();
    });
}

}  // namespace rb
