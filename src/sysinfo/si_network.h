// The network section: adapters found in the device tree, installed protocols, services and
// clients, IP and MAC addresses, and the Windows Sockets implementation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sysinfo/section_base.h"
#include "sysinfo/string_collection.h"

namespace rb {

// The section's item class; nothing adds items, so the collection stays empty.
class TNetworkItem : public CollectionItem {
    RB_PERSISTENT_CLASS
};

// What the Windows Sockets implementation says about itself.
class TWinsock : public TInfoProcessChild {
    RB_PERSISTENT_CLASS
public:
    explicit TWinsock(TStringCollection* errorList = nullptr) : TInfoProcessChild(errorList) {}
    void GetInfo() override;
    void Report(StringList& list) override;  // the [Winsock] block

    std::string Description;   // at most 256 characters
    int32_t MajorVersion = 0;  // highest version supported
    int32_t MinorVersion = 0;
    std::string Status;  // at most 128 characters
};

class TNetwork : public TInfoProcessCollectionWithDevices {
    RB_PERSISTENT_CLASS
public:
    explicit TNetwork(TStringCollection* errorList = nullptr, TDevices* devices = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    int32_t CardAdapterIndex = 0;  // position in Adapters of the first physical card; -1: none
    std::unique_ptr<TStringCollection> IPAddresses;
    std::unique_ptr<TStringCollection> MACAddresses;
    std::unique_ptr<TStringCollection> Adapters;
    std::unique_ptr<TStringCollection> Protocols;
    std::unique_ptr<TStringCollection> Services;
    std::unique_ptr<TStringCollection> Clients;
    std::unique_ptr<TWinsock> WinSock;

private:
    // si_network_gather.cpp
    void GatherAdapters();
    void GatherMACAddresses();
};

}  // namespace rb
