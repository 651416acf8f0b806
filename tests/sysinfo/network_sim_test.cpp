// The network section over simulated systems: sockets, host addresses, adapters from the
// device tree, components by family, and hardware addresses from NetBIOS or the IP helper.
#include <gtest/gtest.h>

#include "device_tree_sim.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/si_network.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::NetBiosStatus;
using platform::NetworkAdapter;
using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;
using platform::WinsockData;
using testing_hw::DeviceTree;
using testing_hw::SimDevice;

const auto HKLM = RootKey::LocalMachine;
const char kNetGuid[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
const std::array<uint8_t, 6> kMac{0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xff};

class NetworkTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TDevices devices{&errors};
    TNetwork network{&errors, &devices};

    void Gather() {
        ScopedPlatform scope(sim);
        devices.GetInfo();
        network.GetInfo();
    }
};

TEST_F(NetworkTest, AdaptersComponentsAndAddressesOfAnXpMachine) {
    DeviceTree tree(sim, true);
    tree.AddClass(kNetGuid, "Net", "Adaptadores de red");
    tree.Add(SimDevice{"ROOT", "MS_PPP", "0000", kNetGuid, "", "Minipuerto WAN"});
    SimDevice card{"PCI", "VEN_8086", "0", kNetGuid, "Tarjeta Intel", ""};
    card.location = "Bus PCI 2";
    tree.Add(card);
    const std::string trans = "SYSTEM\\CurrentControlSet\\Control\\Network\\{TRANS}";
    sim.registry.SetString(HKLM, trans, "Class", "NetTrans");
    sim.registry.SetString(HKLM, trans + "\\0000", "Description", "Protocolo TCP/IP");
    sim.network.winsock = WinsockData{0x0101, 0x0202, "WinSock 2.0", "Running"};
    sim.network.hostAddresses = {"192.168.1.5", "10.0.0.2"};
    sim.network.netBios = {{0, NetBiosStatus{true, kMac}},
                           {3, NetBiosStatus{true, kMac}},
                           {5, NetBiosStatus{false, std::nullopt}}};
    Gather();

    EXPECT_EQ(errors.Count(), 0);
    ASSERT_EQ(network.Adapters->Count(), 2);
    EXPECT_EQ(network.CardAdapterIndex, 1);
    EXPECT_EQ(network.Adapters->Get(1), "Tarjeta Intel");
    ASSERT_EQ(network.Protocols->Count(), 1);
    EXPECT_EQ(network.Protocols->Get(0), "Protocolo TCP/IP");
    EXPECT_EQ(network.IPAddresses->CommaText(), "192.168.1.5,10.0.0.2");
    ASSERT_EQ(network.MACAddresses->Count(), 1);  // the same address through two adapters
    EXPECT_EQ(network.MACAddresses->Get(0), "00:1a:2b:3c:4d:ff");
    EXPECT_EQ(network.WinSock->MajorVersion, 2);
    EXPECT_EQ(network.WinSock->MinorVersion, 2);
    StringList report;
    network.Report(report);
    EXPECT_EQ(report.Values("Version"), "2.2");
    EXPECT_EQ(report.Values("ProtoCount"), "1");
}

TEST_F(NetworkTest, WithoutDeviceSectionNoAdaptersAndWithoutSocketsAStatus) {
    DeviceTree tree(sim, true);
    tree.AddClass(kNetGuid, "Net", "Adaptadores de red");
    tree.Add(SimDevice{"PCI", "VEN_8086", "0", kNetGuid, "Tarjeta Intel", ""});
    sim.network.winsock = std::nullopt;
    ScopedPlatform scope(sim);
    network.GetInfo();  // the device section was not gathered
    EXPECT_EQ(network.Adapters->Count(), 0);
    EXPECT_EQ(network.CardAdapterIndex, -1);
    EXPECT_EQ(network.WinSock->Status, "Winsock cannot be initialized.");
}

// NetBIOS first; the IP helper's adapters only when NetBIOS gave no address, and only their
// six-byte hardware addresses (a tunnel's eight bytes, a short one: left out).
TEST_F(NetworkTest, MacAddressesFallBackToTheIpHelper) {
    NetworkAdapter loopback;
    loopback.type = 24;
    loopback.address = {0, 0, 0, 0, 0, 0};
    NetworkAdapter empty;
    empty.type = 6;
    NetworkAdapter ether;
    ether.type = 6;
    ether.address = {0xde, 0xad, 0xbe, 0xef, 0x00, 0x01};
    NetworkAdapter tunnel;
    tunnel.type = 131;
    tunnel.address = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xe0};
    NetworkAdapter shortAddress;
    shortAddress.type = 6;
    shortAddress.address = {0x01, 0x02, 0x03, 0x04, 0x05};
    struct Row {
        std::map<uint8_t, NetBiosStatus> netBios;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {{}, {"de:ad:be:ef:00:01"}},
        {{{0, NetBiosStatus{true, std::nullopt}}}, {"??:??:??:??:??:??", "de:ad:be:ef:00:01"}},
        {{{0, NetBiosStatus{true, kMac}}}, {"00:1a:2b:3c:4d:ff"}},
    };
    for (const Row& row : rows) {
        SimPlatform s;
        s.network.netBios = row.netBios;
        s.network.adapters =
            std::vector<NetworkAdapter>{loopback, empty, tunnel, ether, shortAddress, ether};
        ScopedPlatform scope(s);
        network.GetInfo();
        std::vector<std::string> got;
        for (int i = 0; i < network.MACAddresses->Count(); ++i) {
            got.push_back(network.MACAddresses->Get(i));
        }
        EXPECT_EQ(got, row.expected);
    }
}

}  // namespace
}  // namespace rb
