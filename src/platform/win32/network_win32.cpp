// Windows sockets (wsock32), NetBIOS (netapi32) and the IP helper (iphlpapi, loaded at run
// time since the first systems lack it).
// winsock2 before windows, and both before the IP helper's and NetBIOS's headers.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>
#include <nb30.h>

#include <cstring>

#include "platform/win32/late_binding_win32.h"
#include "platform/win32/platform_win32.h"

namespace rb::platform {
namespace {

// One socket start-up, cleaned up when the scope ends.
class SocketScope {
public:
    explicit SocketScope(uint16_t version) : started_(::WSAStartup(version, &data_) == 0) {}
    ~SocketScope() {
        if (started_) ::WSACleanup();
    }
    SocketScope(const SocketScope&) = delete;
    SocketScope& operator=(const SocketScope&) = delete;
    bool Started() const { return started_; }
    const WSADATA& Data() const { return data_; }

private:
    WSADATA data_{};
    bool started_;
};

std::string Bounded(const char* text, size_t size) {
    return std::string(text, strnlen(text, size));
}

UCHAR RunNetbios(NCB& ncb) {
    return ::Netbios(&ncb);
}

using GetAdaptersInfoFn = DWORD(WINAPI*)(PIP_ADAPTER_INFO, PULONG);

NetworkAdapter FromAdapterInfo(const IP_ADAPTER_INFO& a) {
    NetworkAdapter n;
    n.name = Bounded(a.AdapterName, sizeof a.AdapterName);
    n.description = Bounded(a.Description, sizeof a.Description);
    const size_t length = std::min<size_t>(a.AddressLength, sizeof a.Address);
    n.address.assign(a.Address, a.Address + length);
    n.index = a.Index;
    n.type = a.Type;
    n.dhcpEnabled = a.DhcpEnabled != 0;
    for (const IP_ADDR_STRING* ip = &a.IpAddressList; ip; ip = ip->Next) {
        n.ipAddresses.push_back(Bounded(ip->IpAddress.String, sizeof ip->IpAddress.String));
        n.ipMasks.push_back(Bounded(ip->IpMask.String, sizeof ip->IpMask.String));
    }
    n.gateway = Bounded(a.GatewayList.IpAddress.String, sizeof a.GatewayList.IpAddress.String);
    n.dhcpServer = Bounded(a.DhcpServer.IpAddress.String, sizeof a.DhcpServer.IpAddress.String);
    return n;
}

}  // namespace

std::optional<WinsockData> Win32Network::Winsock(uint16_t version) {
    const SocketScope sockets(version);
    if (!sockets.Started()) return std::nullopt;
    const WSADATA& d = sockets.Data();
    return WinsockData{d.wVersion, d.wHighVersion, Bounded(d.szDescription, sizeof d.szDescription),
                       Bounded(d.szSystemStatus, sizeof d.szSystemStatus)};
}

std::vector<std::string> Win32Network::HostAddresses() {
    std::vector<std::string> addresses;
    const SocketScope sockets(0x0101);
    if (!sockets.Started()) return addresses;
    char name[64] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return addresses;
    const hostent* host = ::gethostbyname(name);
    if (!host || host->h_addrtype != AF_INET) return addresses;
    for (char** entry = host->h_addr_list; entry && *entry; ++entry) {
        in_addr address;
        std::memcpy(&address, *entry, sizeof address);
        addresses.emplace_back(::inet_ntoa(address));
    }
    return addresses;
}

std::vector<uint8_t> Win32Network::NetBiosAdapters() {
    LANA_ENUM lanas{};
    NCB ncb{};
    ncb.ncb_command = NCBENUM;
    ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
    ncb.ncb_length = sizeof lanas;
    if (RunNetbios(ncb) != NRC_GOODRET) return {};
    const size_t count = std::min<size_t>(lanas.length, sizeof lanas.lana);
    return std::vector<uint8_t>(lanas.lana, lanas.lana + count);
}

// The status buffer holds the adapter's fixed part and some of its names; a longer answer is
// cut by the system (NRC_INCOMP), which still gives the address at its start.
NetBiosStatus Win32Network::NetBiosAddress(uint8_t adapter) {
    NetBiosStatus status;
    NCB reset{};
    reset.ncb_command = NCBRESET;
    reset.ncb_lana_num = adapter;
    if (RunNetbios(reset) != NRC_GOODRET) return status;
    status.reset = true;
    struct {
        ADAPTER_STATUS adapter;
        NAME_BUFFER names[16];
    } buffer{};
    static_assert(sizeof buffer >= 348, "room for the adapter and its names");
    NCB query{};
    query.ncb_command = NCBASTAT;
    query.ncb_lana_num = adapter;
    std::memset(query.ncb_callname, ' ', NCBNAMSZ);
    query.ncb_callname[0] = '*';
    query.ncb_buffer = reinterpret_cast<PUCHAR>(&buffer);
    query.ncb_length = 348;
    const UCHAR result = RunNetbios(query);
    if (result == NRC_GOODRET || result == NRC_INCOMP) {
        std::array<uint8_t, 6> address;
        std::memcpy(address.data(), buffer.adapter.adapter_address, address.size());
        status.address = address;
    }
    return status;
}

// Probe for the size, then fill; the list may grow between the two calls, so a few tries.
std::optional<std::vector<NetworkAdapter>> Win32Network::Adapters() {
    const win32::Library library = win32::Library::Load("iphlpapi.dll");
    const auto getAdaptersInfo = library.Entry<GetAdaptersInfoFn>("GetAdaptersInfo");
    if (!getAdaptersInfo) return std::nullopt;
    ULONG size = 0;
    DWORD result = getAdaptersInfo(nullptr, &size);
    if (result == ERROR_NO_DATA) return std::vector<NetworkAdapter>{};
    std::vector<IP_ADAPTER_INFO> buffer;
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size / sizeof(IP_ADAPTER_INFO) + 1);
        size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
        result = getAdaptersInfo(buffer.data(), &size);
    }
    if (result != ERROR_SUCCESS) return std::nullopt;
    std::vector<NetworkAdapter> adapters;
    for (const IP_ADAPTER_INFO* a = buffer.data(); a; a = a->Next) {
        adapters.push_back(FromAdapterInfo(*a));
    }
    return adapters;
}

}  // namespace rb::platform
