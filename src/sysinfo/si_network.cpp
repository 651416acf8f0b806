#include "sysinfo/si_network.h"

#include "core/text.h"
#include "sysinfo/routines.h"

namespace rb {

const ClassInfo& TNetworkItem::StaticClass() {
    static const ClassInfo info("TNetworkItem", &CollectionItem::StaticClass(), {},
                                MakeInstance<TNetworkItem>);
    return info;
}

const ClassInfo& TWinsock::StaticClass() {
    using W = TWinsock;
    static const ClassInfo info("TWinsock", &TInfoProcessChild::StaticClass(),
                                {
                                    Prop<&W::Description>("Description"),
                                    Prop<&W::MajorVersion>("MajorVersion"),
                                    Prop<&W::MinorVersion>("MinorVersion"),
                                    Prop<&W::Status>("Status"),
                                },
                                MakeInstance<TWinsock>);
    return info;
}

void TWinsock::Report(StringList& list) {
    list.Add("[Winsock]");
    list.Add(Format("Description=%s", Description.c_str()));
    list.Add(Format("Version=%d.%d", MajorVersion, MinorVersion));
    list.Add(Format("Status=%s", Status.c_str()));
}

const ClassInfo& TNetwork::StaticClass() {
    using N = TNetwork;
    static const ClassInfo info("TNetwork", &TInfoProcessCollectionWithDevices::StaticClass(),
                                {
                                    Prop<&N::CardAdapterIndex>("CardAdapterIndex"),
                                    Prop<&N::IPAddresses>("IPAddresses"),
                                    Prop<&N::MACAddresses>("MACAddresses"),
                                    Prop<&N::Adapters>("Adapters"),
                                    Prop<&N::Protocols>("Protocols"),
                                    Prop<&N::Services>("Services"),
                                    Prop<&N::Clients>("Clients"),
                                    Prop<&N::WinSock>("WinSock"),
                                },
                                MakeInstance<TNetwork>);
    return info;
}

TNetwork::TNetwork(TStringCollection* errorList, TDevices* devices)
    : TInfoProcessCollectionWithDevices(errorList, devices, TNetworkItem::StaticClass()),
      IPAddresses(std::make_unique<TStringCollection>()),
      MACAddresses(std::make_unique<TStringCollection>()),
      Adapters(std::make_unique<TStringCollection>()),
      Protocols(std::make_unique<TStringCollection>()),
      Services(std::make_unique<TStringCollection>()),
      Clients(std::make_unique<TStringCollection>()),
      WinSock(std::make_unique<TWinsock>(errorList)) {
    InfoName = "Red";
}

void TNetwork::Report(StringList& list) {
    // Each list as a count line and numbered item lines.
    struct Block {
        std::unique_ptr<TStringCollection> TNetwork::*list;
        const char* countKey;
        const char* itemKey;
    };
    static const Block blocks[] = {
        {&TNetwork::Adapters, "Count", "Adapter"},
        {&TNetwork::Protocols, "ProtoCount", "Protocol"},
        {&TNetwork::Services, "ServiceCount", "Service"},
        {&TNetwork::Clients, "ClientCount", "Client"},
        {&TNetwork::IPAddresses, "IPCount", "IPAddress"},
        {&TNetwork::MACAddresses, "MACCount", "MACAddress"},
    };
    list.Add("[Network]");
    for (const Block& b : blocks) {
        ListToReport((this->*b.list)->GetStrings(), b.countKey, b.itemKey, list);
    }
    WinSock->Report(list);
}

}  // namespace rb
