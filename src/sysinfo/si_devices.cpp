#include "sysinfo/si_devices.h"

#include <utility>
#include <vector>

#include "core/text.h"
#include "sysinfo/routines.h"

namespace rb {

namespace {

// Identifier and registry class-name prefix of each device class, in enumeration order.
struct DeviceClassRow {
    const char* name;
    const char* prefix;
};

const DeviceClassRow kDeviceClasses[] = {
    {"dcBattery", "Battery"},
    {"dcComputer", "Computer"},
    {"dcDiskDrive", "DiskDrive"},
    {"dcDisplay", "Display"},
    {"dcCDROM", "CDROM"},
    {"dcfdc", "fdc"},
    {"dcFloppyDisk", "FloppyDisk"},
    {"dcGPS", "GPS"},
    {"dcHIDClass", "HID"},
    {"dchdc", "hdc"},
    {"dc1394", "1394"},
    {"dcImage", "Image"},
    {"dcInfrared", "Infrared"},
    {"dcKeyboard", "Keyboard"},
    {"dcMediumChanger", "MediumChanger"},
    {"dcMTD", "MTD"},
    {"dcMouse", "Mouse"},
    {"dcModem", "Modem"},
    {"dcMonitor", "Monitor"},
    {"dcMultiFunction", "MultiFunction"},
    {"dcPortSerial", "MultiPortSerial"},
    {"dcNet", "Net"},
    {"dcLegacyDriver", "LegacyDriver"},
    {"dcNtApm", "NtApm"},
    {"dcUnknown", "Unknown"},
    {"dcPCMCIA", "PCMCIA"},
    {"dcPorts", "Ports"},
    {"dcPrinter", "Printer"},
    {"dcSCSIAdapter", "SCSIAdapter"},
    {"dcSmartCardReader", "SmartCardReader"},
    {"dcMEDIA", "MEDIA"},
    {"dcVolume", "Volume"},
    {"dcSystem", "System"},
    {"dcTapeDrive", "TapeDrive"},
    {"dcUSB", "USB"},
};
constexpr int kDeviceClassCount = sizeof kDeviceClasses / sizeof kDeviceClasses[0];
static_assert(kDeviceClassCount == static_cast<int>(TDeviceClass::dcUSB) + 1,
              "one row per device class");

}  // namespace

const EnumInfo& DescribeEnum(TDeviceClass) {
    static const auto names = [] {
        struct Names {
            const char* list[kDeviceClassCount];
        } n{};
        for (int i = 0; i < kDeviceClassCount; ++i) n.list[i] = kDeviceClasses[i].name;
        return n;
    }();
    static const EnumInfo info{"TDeviceClass", names.list, kDeviceClassCount};
    return info;
}

TDeviceClass ClassFromName(std::string_view name) {
    for (int i = 0; i < kDeviceClassCount; ++i) {
        if (StartsWithText(name, kDeviceClasses[i].prefix)) return static_cast<TDeviceClass>(i);
    }
    return TDeviceClass::dcUnknown;
}

const char* DeviceClassPrefix(TDeviceClass deviceClass) {
    const auto i = static_cast<int>(deviceClass);
    return i < kDeviceClassCount ? kDeviceClasses[i].prefix : "";
}

const ClassInfo& TDevice::StaticClass() {
    using C = TDevice;
    static const ClassInfo info("TDevice", &CollectionItem::StaticClass(),
                                {
                                    Prop<&C::DeviceClassName>("DeviceClassName"),
                                    Prop<&C::ClassDesc>("ClassDesc"),
                                    Prop<&C::ClassIcon>("ClassIcon"),
                                    Prop<&C::FriendlyName>("FriendlyName"),
                                    Prop<&C::Description>("Description"),
                                    Prop<&C::GUID>("GUID"),
                                    Prop<&C::Manufacturer>("Manufacturer"),
                                    Prop<&C::Location>("Location"),
                                    Prop<&C::HardwareID>("HardwareID"),
                                    Prop<&C::DriverDate>("DriverDate"),
                                    Prop<&C::DriverVersion>("DriverVersion"),
                                    Prop<&C::DriverProvider>("DriverProvider"),
                                    Prop<&C::Service>("Service"),
                                    Prop<&C::ServiceName>("ServiceName"),
                                    Prop<&C::ServiceGroup>("ServiceGroup"),
                                    Prop<&C::ServiceType>("ServiceType"),
                                    Prop<&C::RegKey>("RegKey"),
                                    Prop<&C::DeviceClass>("DeviceClass"),
                                    Prop<&C::Category>("Category"),
                                },
                                MakeInstance<TDevice>);
    return info;
}

std::string TDevice::DisplayName() const {
    return Trim(FriendlyName).empty() ? Description : FriendlyName;
}

void TDevice::Assign(const TDevice& source) {
    // Through the property table, so that a property added later is copied too.
    for (const PropInfo& p : StaticClass().Properties()) {
        if (p.IsString()) {
            p.setStr(*this, p.getStr(source));
        } else if (p.IsOrdinal()) {
            p.setOrd(*this, p.getOrd(source));
        }
    }
}

const ClassInfo& TDevices::StaticClass() {
    static const ClassInfo info("TDevices", &TInfoProcessCollection::StaticClass(),
                                {Prop<&TDevices::Machine>("Machine")}, MakeInstance<TDevices>);
    return info;
}

TDevices::TDevices(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TDevice::StaticClass()) {
    InfoName = "Dispositivos";
}

// A quicksort on the middle item that exchanges the items' contents (through a temporary
// item), so equal categories end in no particular order.
void TDevices::SortByCategory() {
    std::vector<std::string> keys;
    for (int i = 0; i < Count(); ++i) keys.push_back(AnsiLowerCase(Trim(Device(i).Category)));
    TDevice temporary;
    auto exchange = [&](int a, int b) {
        temporary.Assign(Device(a));
        Device(a).Assign(Device(b));
        Device(b).Assign(temporary);
        std::swap(keys[a], keys[b]);
    };
    auto sort = [&](auto& self, int left, int right) -> void {
        int i = left;
        do {
            i = left;
            int j = right;
            int pivot = (left + right) / 2;
            do {
                while (keys[i].compare(keys[pivot]) < 0) ++i;
                while (keys[j].compare(keys[pivot]) > 0) --j;
                if (i <= j) {
                    exchange(i, j);
                    if (pivot == i) {
                        pivot = j;
                    } else if (pivot == j) {
                        pivot = i;
                    }
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (left < j) self(self, left, j);
            left = i;
        } while (i < right);
    };
    if (Count() > 1) sort(sort, 0, Count() - 1);
}

void TDevices::Report(StringList& list) {
    list.Add("[Devices]");
    list.Add(Format("Count=%d", Count()));
    for (int i = 0; i < Count(); ++i) {
        const TDevice& d = Device(i);
        list.Add("[" + d.DisplayName() + "]");
        list.Add("Class Name=" + d.ClassDesc);
        list.Add("Class GUID=" + d.GUID);
        list.Add("Manufacturer=" + d.Manufacturer);
        list.Add("Location=" + d.Location);
        list.Add("Hardware ID=" + d.HardwareID);
        list.Add("Driver Date=" + d.DriverDate);
        list.Add("Driver Version=" + d.DriverVersion);
        list.Add("Driver Provider=" + d.DriverProvider);
        list.Add("Service Name=" + d.ServiceName);
        list.Add("Service Group=" + d.ServiceGroup);
    }
}

TDevices& TInfoProcessCollectionWithDevices::DevicesAtHand(std::unique_ptr<TDevices>& own) {
    if (devices_) return *devices_;
    own = std::make_unique<TDevices>(ErrorList());
    own->GetInfo();
    return *own;
}

}  // namespace rb
