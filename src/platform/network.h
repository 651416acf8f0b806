// Network: Windows sockets, the host's addresses, NetBIOS adapters and the IP-helper adapters.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rb::platform {

// WSAStartup's answer (the library is cleaned up again before this is returned).
struct WinsockData {
    uint16_t version = 0;
    uint16_t highVersion = 0;  // low byte major, high byte minor
    std::string description;
    std::string systemStatus;
};

// One adapter of GetAdaptersInfo.
struct NetworkAdapter {
    std::string name;
    std::string description;
    std::vector<uint8_t> address;  // the hardware address, as long as the adapter gives it
    uint32_t index = 0;
    uint32_t type = 0;
    bool dhcpEnabled = false;
    std::vector<std::string> ipAddresses;
    std::vector<std::string> ipMasks;
    std::string gateway;
    std::string dhcpServer;
};

// NCBRESET then, only when that succeeded, NCBASTAT on one NetBIOS adapter.
struct NetBiosStatus {
    bool reset = false;
    std::optional<std::array<uint8_t, 6>> address;  // none: the status query failed
};

class NetworkArea {
public:
    virtual ~NetworkArea() = default;

    // WSAStartup for `version` (0x0101 for 1.1); nullopt when sockets cannot be started.
    virtual std::optional<WinsockData> Winsock(uint16_t version) = 0;
    // gethostname and gethostbyname under one socket start-up; dotted addresses in the host
    // entry's order, empty when there is no entry.
    virtual std::vector<std::string> HostAddresses() = 0;
    // NetBIOS NCBENUM: the adapter numbers; empty on failure.
    virtual std::vector<uint8_t> NetBiosAdapters() = 0;
    virtual NetBiosStatus NetBiosAddress(uint8_t adapter) = 0;
    // GetAdaptersInfo (iphlpapi, loaded at run time); nullopt where the system lacks it or it
    // fails.
    virtual std::optional<std::vector<NetworkAdapter>> Adapters() = 0;
};

}  // namespace rb::platform
