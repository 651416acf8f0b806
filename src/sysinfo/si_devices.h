// The device tree as the registry's enumeration keys describe it: one item per device instance
// with its class, driver and service data. The display, network and media sections find their
// hardware here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/set.h"
#include "sysinfo/section_base.h"

namespace rb {

enum class TDeviceClass : uint8_t {
    dcBattery, dcComputer, dcDiskDrive, dcDisplay, dcCDROM, dcfdc, dcFloppyDisk, dcGPS,
    dcHIDClass, dchdc, dc1394, dcImage, dcInfrared, dcKeyboard, dcMediumChanger, dcMTD,
    dcMouse, dcModem, dcMonitor, dcMultiFunction, dcPortSerial, dcNet, dcLegacyDriver, dcNtApm,
    dcUnknown, dcPCMCIA, dcPorts, dcPrinter, dcSCSIAdapter, dcSmartCardReader, dcMEDIA,
    dcVolume, dcSystem, dcTapeDrive, dcUSB
};
const EnumInfo& DescribeEnum(TDeviceClass);

// The first class, in declaration order, whose registry class-name prefix begins `name`
// (ignoring case); dcUnknown when none does. "HIDClass" gives dcHIDClass, "NetService" dcNet.
TDeviceClass ClassFromName(std::string_view name);
// The registry class-name prefix that selects a class ("HID" for dcHIDClass).
const char* DeviceClassPrefix(TDeviceClass deviceClass);

class TDevice : public CollectionItem {
    RB_PERSISTENT_CLASS
public:
    // FriendlyName when it is not blank, else Description.
    std::string DisplayName() const;
    // Copies every published property (the sort exchanges item contents this way).
    void Assign(const TDevice& source);

    // Published, in this order.
    std::string DeviceClassName;
    std::string ClassDesc;  // default value of the class key
    std::string ClassIcon;
    std::string FriendlyName;
    std::string Description;
    std::string GUID;  // upper-cased
    std::string Manufacturer;
    std::string Location;
    std::string HardwareID;
    std::string DriverDate;
    std::string DriverVersion;
    std::string DriverProvider;
    std::string Service;
    std::string ServiceName;  // never gathered; kept through Assign and XML
    std::string ServiceGroup;
    int32_t ServiceType = 0;
    std::string RegKey;
    TDeviceClass DeviceClass = TDeviceClass::dcBattery;  // the enumeration's zero until gathered
    std::string Category;  // ClassDesc, or DeviceClassName when that is empty
};

class TDevices : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TDevices(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    TDevice& Device(int index) const { return ItemAs<TDevice>(index); }

    // Published after InfoName.
    std::string Machine;  // computer name when gathered

private:
    void Enumerate();       // si_devices_gather.cpp
    void SortByCategory();  // ascending trimmed, lower-cased category; equal ones in any order
};

}  // namespace rb
