// Which shell icon each picture of the pages shows.
#include "viewer/page_texts.h"

namespace rb::viewer {

// Generic, game port, sound card.
const std::array<ShellIconChoice, 3> kMediaIcons = {{{2}, {12}, {40}}};

// Any adapter, and the network card.
const std::array<ShellIconChoice, 2> kAdapterIcons = {{{2}, {18}}};

AdapterIcon AdapterIconOf(const TNetwork& network, int index) {
    return index == network.CardAdapterIndex ? AdapterIcon::NetworkCard : AdapterIcon::Adapter;
}

std::array<NetworkList, 3> NetworkLists(TNetwork& network) {
    return {{{"Protocolos", network.Protocols.get()},
             {"Servicios", network.Services.get()},
             {"Clientes", network.Clients.get()}}};
}

const ShellIconChoice kComputerIcon{15};

ShellIconChoice DeviceClassIcon(TDeviceClass c) {
    switch (c) {
        case TDeviceClass::dcDiskDrive: return {8};
        case TDeviceClass::dcCDROM: return {11};
        case TDeviceClass::dcFloppyDisk: case TDeviceClass::dcfdc: return {6};
        case TDeviceClass::dcDisplay: case TDeviceClass::dcMonitor: return {34};
        case TDeviceClass::dcNet: case TDeviceClass::dcModem: return {18};
        case TDeviceClass::dcPrinter: return {16};
        case TDeviceClass::dcMEDIA: return {40};
        case TDeviceClass::dcVolume: return {7};
        case TDeviceClass::dcComputer: return {15};
        default: return {21};
    }
}

// Local, local default, network, network default.
const std::array<ShellIconChoice, 4> kPrinterIcons = {{{16}, {16, true}, {17}, {17, true}}};

ShellIconChoice DriveIcon(TMediaType type) {
    // By media type; an unknown type shows as the first.
    static const int kDriveIcons[] = {2, 2, 6, 8, 9, 11, 12};
    const auto index = static_cast<size_t>(type);
    return {kDriveIcons[index < std::size(kDriveIcons) ? index : 0]};
}

}  // namespace rb::viewer
