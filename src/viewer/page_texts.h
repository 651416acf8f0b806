// The texts each page of the report viewer takes from its section: groups of labelled fields,
// plain lines and list rows. The windows only place them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/string_list.h"
#include "sysinfo/msystem_info.h"
#include "viewer/overview_model.h"

namespace rb::viewer {

// A labelled field; without a label, a line of text.
struct Field {
    std::string label;
    std::string value;
    friend bool operator==(const Field& a, const Field& b) {
        return a.label == b.label && a.value == b.value;
    }
};
struct Group {
    std::string caption;
    std::vector<Field> fields;
};
using Row = std::vector<std::string>;  // one list row, a text per column
using Rows = std::vector<Row>;

// A date-time number in the user's format; an empty text (a section whose gathering failed)
// shows empty instead of stopping the filling.
std::string DateTimeOrEmpty(const std::string& neutral);

// Page 0. The lock-key indicators' colours (COLORREF order, 0x00BBGGRR).
std::vector<Group> MachineGroups(const TMachine& machine);
uint32_t IndicatorColour(bool on);

// Page 1.
struct OSTexts {
    std::string tabCaption, versionLine, versionNumbers, servicePack, dvdRegion;
    std::vector<Field> fields;
    bool packagesEnabled = false;
};
OSTexts OSPage(const TOperatingSystem& os);
Rows NonEmptyEntries(TStringCollection& entries);  // Folders, Environment: name, value
Rows RegionalRows(const TOperatingSystem& os);
StringList SuiteLines(TNTSpecific& nt);  // the nine suite lines

// Page 2.
std::string CPUHeading(const TCPU& cpu);
std::vector<Group> CPUGroups(const TCPU& cpu);
StringList CPUFeatureLines(TCPU& cpu);

// Page 3 (the gauge shows MemoryLoad).
std::vector<Group> MemoryGroups(const TMemory& memory, char thousandSeparator);

// Page 4.
std::vector<std::string> DisplayNames(const TDisplays& displays);
std::vector<Group> DisplayGroups(const TDisplay& display);
struct CapabilityButton {
    const char* caption;
    const char* title;
    void (*report)(const TDisplay&, StringList&);  // nullptr: the modes, as whole lines
};
extern const std::array<CapabilityButton, 6> kCapabilityButtons;

// Page 5.
struct APMTexts {
    std::string acLine, charge, fullTime, lifeTime;
    std::optional<int> gauge;  // nullopt: the gauge is left alone
};
APMTexts APMPage(const TAPM& apm);

// The pictures of the pages: small icons of the system's shell library, by their index there;
// a marked icon carries the tick of the default item (page_icons.cpp).
struct ShellIconChoice {
    int index;
    bool marked = false;
};

// Page 1: the detail dialog of the packages button.
constexpr const char* kPackagesTitle = "Paquetes Instalados";

// Page 6.
enum class MediaIcon { Generic, GamePort, SoundCard };
MediaIcon AvailableDeviceIcon(const TMedia& media, int index);
extern const std::array<ShellIconChoice, 3> kMediaIcons;  // in MediaIcon order
Rows MediaRows(const TMedia& media);  // ProductName, kind
std::vector<Field> MediaDetailRows(const TMediaItem& item);

// Page 7.
std::vector<Field> WinsockFields(const TWinsock& winsock);
enum class AdapterIcon { Adapter, NetworkCard };
AdapterIcon AdapterIconOf(const TNetwork& network, int index);
extern const std::array<ShellIconChoice, 2> kAdapterIcons;  // in AdapterIcon order
// The three lists the page's buttons show in the detail dialog, with the dialog's title.
struct NetworkList {
    const char* title;
    TStringCollection* strings;
};
std::array<NetworkList, 3> NetworkLists(TNetwork& network);

// Page 8: root, class nodes, device nodes (device = index in the section).
struct DeviceNode {
    std::string caption;
    int device = -1;
    TDeviceClass deviceClass = TDeviceClass::dcUnknown;
    std::vector<DeviceNode> children;
};
DeviceNode DeviceTree(const TDevices& devices);
std::vector<Field> DeviceDetailRows(const TDevice& device, const std::string& nodeCaption,
                                    const std::string& classCaption);
constexpr const char* kDeviceDetailTitle = "Propiedades del Dispositivo";
extern const ShellIconChoice kComputerIcon;  // the tree's root
ShellIconChoice DeviceClassIcon(TDeviceClass deviceClass);

// Page 9.
enum class PrinterIcon { Local, LocalDefault, Network, NetworkDefault };
PrinterIcon PrinterIconOf(const TPrinters& printers, int index);
extern const std::array<ShellIconChoice, 4> kPrinterIcons;  // in PrinterIcon order
constexpr const char* kPrinterDetailTitle = "Propiedades de la impresora";
Rows PrinterRows(const TPrinters& printers);  // display name, port
std::vector<Field> PrinterDetailRows(const TPrinterDeviceComplete& printer);

// Page 10.
std::vector<std::string> EngineLines(const TEngines& engines);
std::string DirectXLine(const TDirectX& directX);
Rows DirectXRows(const TDirectX& directX);  // description, kind

// Page 11.
std::vector<std::string> DiskEntries(const TDisks& disks);
const TDisk* DiskOfEntry(const TDisks& disks, const std::string& entry);
struct DiskTexts {
    std::string kind, unc, serial, capacity, freeSpace, bytesPerSector, sectorsPerCluster,
        freeClusters, totalClusters;
    int gauge = 0;
};
DiskTexts DiskPage(const TDisk& disk, char thousandSeparator);
std::vector<CheckItem> DiskFlagItems(const TDisk& disk);
ShellIconChoice DriveIcon(TMediaType type);

// Page 12.
struct TimeZoneTexts {
    std::string displayName;
    std::string standardCaption, standardStart, standardBias;
    std::string daylightCaption, daylightStart, daylightBias;
    bool standardVisible = false, daylightVisible = false;
    int mapLeft = 0;  // the world map's left position
};
TimeZoneTexts TimeZonePage(const TTimeZone& zone);

// Page 13.
Rows ProcessRows(const TProcesses& processes);  // PID, name, location
std::string ProcessCountText(int count);

// Page 14: the tabs of the start-up strip and each tab's rows (name, command line).
struct StartupTab {
    const char* caption;
    TRunType location;
};
extern const std::array<StartupTab, 6> kStartupTabs;
Rows StartupRows(const TStartup& startup, int tab);

// Pages 15, 16: the strings of a collection.
std::vector<std::string> CollectionLines(TStringCollection& strings);

// Page 17.
Rows ServiceRows(const TServicesCollection& services);
std::vector<Field> ServiceDetailRows(TServiceItem& service);
constexpr const char* kServiceDetailTitle = "Servicios";

// Page 18.
Rows PerformanceRows(const TPerformanceInfo& performance);

}  // namespace rb::viewer
