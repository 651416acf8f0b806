// The simulated network: sockets, host addresses, NetBIOS adapters and IP-helper adapters.
#pragma once

#include <map>

#include "platform/network.h"

namespace rb::platform {

class SimNetwork : public NetworkArea {
public:
    std::optional<WinsockData> winsock = WinsockData{0x0101, 0x0202, "WinSock 2.0", "Running"};
    std::vector<std::string> hostAddresses;
    std::map<uint8_t, NetBiosStatus> netBios;
    std::optional<std::vector<NetworkAdapter>> adapters;  // none: no IP helper

    std::optional<WinsockData> Winsock(uint16_t version) override {
        if (!winsock) return std::nullopt;
        WinsockData answer = *winsock;
        answer.version = version;
        return answer;
    }
    std::vector<std::string> HostAddresses() override { return hostAddresses; }
    std::vector<uint8_t> NetBiosAdapters() override {
        std::vector<uint8_t> numbers;
        for (const auto& entry : netBios) numbers.push_back(entry.first);
        return numbers;
    }
    NetBiosStatus NetBiosAddress(uint8_t adapter) override {
        const auto it = netBios.find(adapter);
        return it == netBios.end() ? NetBiosStatus{} : it->second;
    }
    std::optional<std::vector<NetworkAdapter>> Adapters() override { return adapters; }
};

}  // namespace rb::platform
