// The device tree over simulated registries of both families: presence, class keys reached
// directly or through "Link", driver and service data, the hardware ID's bounded read, the
// category order and the failure record.
#include <gtest/gtest.h>

#include "core/exception.h"
#include "core/text.h"
#include "device_tree_sim.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;
using testing_hw::DeviceTree;
using testing_hw::SimDevice;

const auto HKLM = RootKey::LocalMachine;
const char kDisplayGuid[] = "{4d36e968-e325-11ce-bfc1-08002be10318}";
const char kDiskGuid[] = "{4D36E967-E325-11CE-BFC1-08002BE10318}";

const TDevice* Find(const TDevices& devices, const std::string& description) {
    for (int i = 0; i < devices.Count(); ++i) {
        if (devices.Device(i).Description == description) return &devices.Device(i);
    }
    return nullptr;
}

class DevicesTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TDevices devices{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        devices.GetInfo();
    }
};

TEST_F(DevicesTest, NtTreeListsPresentDevicesWithClassDriverAndService) {
    DeviceTree tree(sim, true);
    tree.AddClass(kDisplayGuid, "Display", "adaptadores de pantalla");
    tree.AddClass(kDiskGuid, "DiskDrive", "Unidades de disco");
    tree.AddService("vga", "Controlador VGA", 1);
    const std::string driverKey = tree.ClassRoot() + "\\" + kDisplayGuid + "\\0000";
    sim.registry.SetString(HKLM, driverKey, "DriverDate", "7-1-2001");
    sim.registry.SetString(HKLM, driverKey, "DriverVersion", "5.1.2600.0");
    sim.registry.SetString(HKLM, driverKey, "ProviderName", "Kelto");
    SimDevice disk{"IDE", "Disk", "0", kDiskGuid, "", "Disco IDE"};
    disk.location = "Canal 0";
    tree.Add(disk);
    SimDevice display{"PCI", "VEN_1", "0", kDisplayGuid, "   ", "Adaptador"};
    display.service = "vga";
    display.driver = std::string(kDisplayGuid) + "\\\\0000";  // doubled backslash
    tree.Add(display);
    SimDevice absent{"PCI", "VEN_2", "0", kDisplayGuid, "", "Ausente"};
    absent.present = false;
    tree.Add(absent);
    tree.Add(SimDevice{"ROOT", "X", "0", "{NO-CLASS}", "", "Sin clase"});
    Gather();

    ASSERT_EQ(devices.Count(), 2);
    EXPECT_EQ(errors.Count(), 0);
    EXPECT_EQ(devices.Machine, "SIMPC");
    // "adaptadores ..." sorts before "Unidades ..." once lower-cased.
    const TDevice& d = devices.Device(0);
    EXPECT_EQ(d.DisplayName(), "Adaptador");
    EXPECT_EQ(d.DeviceClass, TDeviceClass::dcDisplay);
    EXPECT_EQ(d.GUID, AnsiUpperCase(kDisplayGuid));
    EXPECT_EQ(d.ClassIcon, "-1");
    EXPECT_EQ(d.DriverProvider, "Kelto");
    EXPECT_EQ(d.DriverDate, "7-1-2001");
    EXPECT_EQ(d.Location, "Controlador VGA");
    EXPECT_EQ(d.ServiceGroup, "Video");
    EXPECT_EQ(d.ServiceType, 1);
    EXPECT_EQ(d.RegKey, tree.Path(display));
    EXPECT_EQ(devices.Device(1).Category, "Unidades de disco");
    EXPECT_EQ(devices.Device(1).DeviceClass, TDeviceClass::dcDiskDrive);
}

TEST_F(DevicesTest, NinetyEightFollowsLinkAndSkipsTheNetworkEnumerator) {
    DeviceTree tree(sim, false);
    tree.AddClass("{GUID-HID}", "HIDClass", "Dispositivos HID");
    tree.Add(SimDevice{"HID", "Teclado", "0000", "{guid-hid}", "", "Teclado HID"});
    tree.Add(SimDevice{"Network", "MSTCP", "0000", "{guid-hid}", "", "TCP/IP"});
    // No class key: the instance's own "Class" names it.
    tree.Add(SimDevice{"ISAPNP", "PNP0501", "0", "", "", "Puerto"});
    sim.registry.SetString(HKLM, "Enum\\ISAPNP\\PNP0501\\0", "Class", "Ports");
    Gather();

    ASSERT_EQ(devices.Count(), 2);
    const TDevice* hid = Find(devices, "Teclado HID");
    ASSERT_NE(hid, nullptr);
    EXPECT_EQ(hid->DeviceClassName, "HIDClass");
    EXPECT_EQ(hid->DeviceClass, TDeviceClass::dcHIDClass);
    EXPECT_EQ(hid->ClassDesc, "Dispositivos HID");  // from the linked key
    const TDevice* port = Find(devices, "Puerto");
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->DeviceClass, TDeviceClass::dcPorts);
    EXPECT_EQ(port->Category, "Ports");
}

TEST_F(DevicesTest, HardwareIdRunsTheStringsTogetherAndCutsLongValues) {
    struct Row {
        std::vector<uint8_t> value;
        std::string expected;
    };
    const std::string path = "SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_1\\0";
    std::vector<uint8_t> oversize(600, 'x');
    oversize.push_back(0);
    oversize.push_back(0);
    for (const Row& row :
         {Row{{'P', 'C', 'I', 0, 'V', 0, 0}, "PCIV"}, Row{{'A', 0, 'B', 0, 0, 0, 'C', 0}, "AB"},
          Row{oversize, std::string(255, 'x')}}) {
        SimPlatform fresh;
        DeviceTree tree(fresh, true);
        tree.AddClass(kDisplayGuid, "Display", "Pantalla");
        tree.Add(SimDevice{"PCI", "VEN_1", "0", kDisplayGuid, "", "Adaptador"});
        fresh.registry.SetBinary(HKLM, path, "HardwareID", row.value);
        ScopedPlatform scope(fresh);
        devices.GetInfo();
        ASSERT_EQ(devices.Count(), 1);
        EXPECT_EQ(devices.Device(0).HardwareID, row.expected);
    }
}

// An enumerator without "LocationInformation" takes its service's display name; a service key
// without "Type" leaves the location empty.
TEST_F(DevicesTest, ServiceKeysRenameOrClearTheLocation) {
    DeviceTree tree(sim, true);
    tree.AddClass(kDiskGuid, "DiskDrive", "Discos");
    tree.AddService("IDE", "Bus IDE", 1);
    tree.AddService("disk", "Controlador de disco", 1);
    sim.registry.SetString(HKLM, "SYSTEM\\CurrentControlSet\\Services\\atapi", "Group", "SCSI");
    SimDevice first{"IDE", "Disk1", "0", kDiskGuid, "", "Uno"};
    tree.Add(first);
    SimDevice second{"IDE", "Disk2", "0", kDiskGuid, "", "Dos"};
    second.service = "disk";
    second.location = "Canal 1";
    tree.Add(second);
    SimDevice third{"IDE", "Disk3", "0", kDiskGuid, "", "Tres"};
    third.service = "atapi";
    third.location = "Canal 2";
    tree.Add(third);
    Gather();
    ASSERT_EQ(devices.Count(), 3);
    // No service of its own: the service root answers, which has no "Type".
    EXPECT_EQ(Find(devices, "Uno")->Location, "");
    EXPECT_EQ(Find(devices, "Dos")->Location, "Controlador de disco");
    EXPECT_EQ(Find(devices, "Tres")->Location, "");
    EXPECT_EQ(Find(devices, "Tres")->ServiceGroup, "SCSI");
}

// Raises from the open of one instance's key, in front of the simulated registry.
class FailingRegistry : public platform::Registry {
public:
    explicit FailingRegistry(platform::SimRegistry& inner) : inner_(inner) {}
    std::unique_ptr<platform::RegKey> Open(RootKey root, std::string_view path,
                                           bool write) override {
        if (path.find("VEN_9") != std::string_view::npos) throw Exception("registro roto");
        return inner_.Open(root, path, write);
    }
    std::unique_ptr<platform::RegKey> Create(RootKey root, std::string_view path) override {
        return inner_.Create(root, path);
    }

private:
    platform::SimRegistry& inner_;
};

TEST_F(DevicesTest, AFailureKeepsTheItemsUnsortedAndTheMachineUnset) {
    struct Sim : SimPlatform {
        FailingRegistry failing{registry};
        platform::Registry& Reg() override { return failing; }
    } failSim;
    DeviceTree tree(failSim, true);
    tree.AddClass(kDiskGuid, "DiskDrive", "Zeta");
    tree.AddClass(kDisplayGuid, "Display", "Alfa");
    tree.Add(SimDevice{"PCI", "VEN_1", "0", kDiskGuid, "", "Z"});
    tree.Add(SimDevice{"PCI", "VEN_2", "0", kDisplayGuid, "", "A"});
    tree.Add(SimDevice{"PCI", "VEN_9", "0", kDisplayGuid, "", "B"});
    ScopedPlatform scope(failSim);
    devices.Machine = "ANTES";
    devices.GetInfo();
    ASSERT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.Get(0).rfind("TDevices.GetInfo: registro roto", 0), 0u);
    ASSERT_EQ(devices.Count(), 2);
    EXPECT_EQ(devices.Device(0).Description, "Z");  // not sorted
    EXPECT_EQ(devices.Machine, "ANTES");
}

}  // namespace
}  // namespace rb
