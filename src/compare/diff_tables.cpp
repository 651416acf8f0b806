#include "compare/diff_tables.h"

#include <cstring>

#include "sysinfo/process_pages.h"
#include "sysinfo/si_disk.h"

namespace rb::compare::tables {
namespace {

constexpr int Page(TProcessPage page) {
    return static_cast<int>(page);
}

constexpr Noun kNone{"", "", false};

// property, caption, page, changes on every run, noun of its items
const SectionRow kSections[] = {
    {"CPU", "CPU", Page(TProcessPage::pgCPU), false, kNone},
    {"Memory", "Memoria", Page(TProcessPage::pgMem), false, kNone},
    {"OS", "Sistema Operativo", Page(TProcessPage::pgOS), false, kNone},
    {"Disks", "Discos", Page(TProcessPage::pgDisk), false, {"disco", "discos", false}},
    {"Machine", "Computadora", Page(TProcessPage::pgWksta), false, kNone},
    {"Displays", "Visualizadores", Page(TProcessPage::pgDisplay), false,
     {"adaptador de vídeo", "adaptadores de vídeo", false}},
    {"Media", "Media", Page(TProcessPage::pgMedia), false,
     {"dispositivo multimedia", "dispositivos multimedia", false}},
    {"Devices", "Dispositivos", Page(TProcessPage::pgDev), false,
     {"dispositivo", "dispositivos", false}},
    {"Engines", "Motores", Page(TProcessPage::pgEng), false, kNone},
    {"APM", "APM", Page(TProcessPage::pgAPM), false, kNone},
    {"DirectX", "DirectX", Page(TProcessPage::pgEng), false, kNone},
    {"Processes", "Procesos", Page(TProcessPage::pgProcs), true, {"proceso", "procesos", false}},
    {"Printers", "Impresoras", Page(TProcessPage::pgPrn), false,
     {"impresora", "impresoras", true}},
    {"Software", "Software", Page(TProcessPage::pgSoftware), false, kNone},
    {"Startup", "Inicio", Page(TProcessPage::pgStartup), false,
     {"programa de inicio", "programas de inicio", false}},
    {"Services", "Servicios", Page(TProcessPage::pgServices), false,
     {"servicio", "servicios", false}},
    {"Network", "Red", Page(TProcessPage::pgNet), false, kNone},
    {"PerformanceInfo", "Performance", -1, true, {"medición", "mediciones", true}},
    {"ErrorList", "Errores", -1, true, {"error", "errores", false}},
};

// section, list, how its texts are keyed, named in change lines, noun of its items
const ListRow kLists[] = {
    {"Software", "Installed", TextForm::Program, false, {"programa", "programas", false}},
    {"OS", "Environment", TextForm::NameValue, true,
     {"variable de entorno", "variables de entorno", true}},
    {"OS", "Folders", TextForm::NameValue, true, {"carpeta", "carpetas", true}},
    {"Network", "IPAddresses", TextForm::Whole, true, {"dirección IP", "direcciones IP", true}},
    {"Network", "MACAddresses", TextForm::Whole, true, {"dirección MAC", "direcciones MAC", true}},
    {"Network", "Adapters", TextForm::Whole, true,
     {"adaptador de red", "adaptadores de red", false}},
    {"Network", "Protocols", TextForm::Whole, true, {"protocolo", "protocolos", false}},
    {"Network", "Services", TextForm::Whole, true, {"servicio de red", "servicios de red", false}},
    {"Network", "Clients", TextForm::Whole, true, {"cliente de red", "clientes de red", false}},
    {"Media", "AvailableDevices", TextForm::Whole, true,
     {"controlador multimedia", "controladores multimedia", false}},
    {"DirectX", "Direct3D", TextForm::Whole, true,
     {"controlador Direct3D", "controladores Direct3D", false}},
    {"DirectX", "DirectPlay", TextForm::Whole, true,
     {"proveedor DirectPlay", "proveedores DirectPlay", false}},
    {"DirectX", "DirectMusic", TextForm::Whole, true,
     {"sintetizador DirectMusic", "sintetizadores DirectMusic", false}},
};

// item class, key properties, name, name when that is blank, key by file name
const KeyRow kKeys[] = {
    {"TDisk", {"DriveLetter", ""}, "DriveLetter", "", false},
    {"TDevice", {"DeviceClass", "HardwareID"}, "FriendlyName", "Description", false},
    {"TDisplay", {"Adapter", ""}, "Adapter", "", false},
    {"TMediaItem", {"ProductName", ""}, "ProductName", "", false},
    {"TProcess", {"Location", ""}, "Location", "", true},
    {"TPrinterDeviceComplete", {"ServerName", "PrinterName"}, "PrinterName", "", false},
    {"TStartupItem", {"Location", "ProcessName"}, "ProcessName", "", false},
    {"TServiceItem", {"ServiceName", ""}, "ServiceName", "DisplayName", false},
    {"TPerformanceItem", {"TestName", ""}, "TestName", "", false},
    {"TStringCollectionItem", {"TheString", ""}, "TheString", "", false},
};

// A removable disk's or a CD drive's medium comes and goes between runs.
bool RemovableMedium(const Persistent& item) {
    if (!item.InheritsFrom(TDisk::StaticClass())) return false;
    const TMediaType type = static_cast<const TDisk&>(item).MediaType;
    return type == TMediaType::dtRemovable || type == TMediaType::dtCDROM;
}

constexpr Rule kNever = Rule::Never;
constexpr Rule kAlways = Rule::Always;
constexpr Rule kMargin = Rule::Margin;
constexpr Rule kWhen = Rule::When;

// item class, property, rule, reference, percent, condition
const VolatileRow kVolatiles[] = {
    // Positions in a list and how the document was made.
    {"TStringCollectionItem", "TheIndex", kNever, "", 0, nullptr},
    {"TMSystemInfo", "ProcessList", kNever, "", 0, nullptr},
    {"TMedia", "GamePortIndex", kNever, "", 0, nullptr},
    {"TMedia", "SoundCardIndex", kNever, "", 0, nullptr},
    {"TNetwork", "CardAdapterIndex", kNever, "", 0, nullptr},
    {"TPrinters", "DefaultIndex", kNever, "", 0, nullptr},
    // Memory in use at the moment (a system-managed page file grows and shrinks too).
    {"TMemory", "PhysicalFree", kAlways, "", 0, nullptr},
    {"TMemory", "VirtualFree", kAlways, "", 0, nullptr},
    {"TMemory", "PageFileTotal", kAlways, "", 0, nullptr},
    {"TMemory", "PageFileFree", kAlways, "", 0, nullptr},
    {"TMemory", "MemoryLoad", kAlways, "", 0, nullptr},
    {"TMemory", "Win9x_SystemRes", kAlways, "", 0, nullptr},
    {"TMemory", "Win9x_GDIRes", kAlways, "", 0, nullptr},
    {"TMemory", "Win9x_UserRes", kAlways, "", 0, nullptr},
    // The run: who ran the program, the clock, the keyboard's lock keys.
    {"TMachine", "User", kAlways, "", 0, nullptr},
    {"TMachine", "SystemUpTime", kAlways, "", 0, nullptr},
    {"TMachine", "LastBoot", kAlways, "", 0, nullptr},
    {"TMachine", "CapsLock", kAlways, "", 0, nullptr},
    {"TMachine", "NumLock", kAlways, "", 0, nullptr},
    {"TMachine", "ScrollLock", kAlways, "", 0, nullptr},
    // This year's dates of the change to and from summer time.
    {"TTimeZone", "DaylightStart", kAlways, "", 0, nullptr},
    {"TTimeZone", "StandardStart", kAlways, "", 0, nullptr},
    // The processor's clock is measured on every run.
    {"TCPU", "Frequency", kMargin, "", 5, nullptr},
    // Free space moves all the time; a removable medium comes and goes.
    {"TDisk", "FreeSpace", kMargin, "Capacity", 5, nullptr},
    {"TDisk", "FreeClusters", kMargin, "TotalClusters", 5, nullptr},
    {"TDisk", "MediaPresent", kAlways, "", 0, nullptr},
    {"TDisk", "FreeSpace", kWhen, "", 0, RemovableMedium},
    {"TDisk", "FreeClusters", kWhen, "", 0, RemovableMedium},
    {"TDisk", "FileFlags", kWhen, "", 0, RemovableMedium},
    {"TDisk", "FileSystem", kWhen, "", 0, RemovableMedium},
    {"TDisk", "TotalClusters", kWhen, "", 0, RemovableMedium},
    {"TDisk", "Capacity", kWhen, "", 0, RemovableMedium},
    {"TDisk", "SerialNumber", kWhen, "", 0, RemovableMedium},
    {"TDisk", "VolumeLabel", kWhen, "", 0, RemovableMedium},
    {"TDisk", "SectorsPerCluster", kWhen, "", 0, RemovableMedium},
    {"TDisk", "BytesPerSector", kWhen, "", 0, RemovableMedium},
    // A service's and a printer's state at the moment.
    {"TServiceItem", "Status", kAlways, "", 0, nullptr},
    {"TServiceItem", "ControlsAccepted", kAlways, "", 0, nullptr},
    {"TServiceItem", "Win32ExitCode", kAlways, "", 0, nullptr},
    {"TServiceItem", "ServiceSpecificExitCode", kAlways, "", 0, nullptr},
    {"TServiceItem", "CheckPoint", kAlways, "", 0, nullptr},
    {"TServiceItem", "WaitHint", kAlways, "", 0, nullptr},
    {"TPrinterDeviceComplete", "Status", kAlways, "", 0, nullptr},
    {"TPrinterDeviceComplete", "cJobs", kAlways, "", 0, nullptr},
    {"TPrinterDeviceComplete", "AveragePPM", kAlways, "", 0, nullptr},
    // The power line and the battery.
    {"TAPM", "ACPowerStatus", kAlways, "", 0, nullptr},
    {"TAPM", "BatteryChargeStatus", kAlways, "", 0, nullptr},
    {"TAPM", "BatteryLifePercent", kAlways, "", 0, nullptr},
    {"TAPM", "BatteryLifeTime", kAlways, "", 0, nullptr},
    {"TAPM", "BatteryLifeFullTime", kAlways, "", 0, nullptr},
    // Addresses a DHCP server hands out anew.
    {"TNetwork", "IPAddresses", kAlways, "", 0, nullptr},
    // Running processes and timings (their sections are left out as a whole by default).
    {"TProcess", "Pid", kAlways, "", 0, nullptr},
    {"TPerformanceInfo", "StartingTick", kAlways, "", 0, nullptr},
    {"TPerformanceItem", "TimeElapsed", kAlways, "", 0, nullptr},
};

template <class T, size_t N>
constexpr Rows<T> RowsOf(const T (&rows)[N]) {
    return {rows, N};
}

}  // namespace

Rows<SectionRow> Sections() {
    return RowsOf(kSections);
}
Rows<ListRow> Lists() {
    return RowsOf(kLists);
}
Rows<KeyRow> Keys() {
    return RowsOf(kKeys);
}
Rows<VolatileRow> Volatiles() {
    return RowsOf(kVolatiles);
}

const SectionRow* FindSection(std::string_view property) {
    for (const SectionRow& row : kSections) {
        if (property == row.property) return &row;
    }
    return nullptr;
}

const ListRow* FindList(std::string_view section, std::string_view list) {
    for (const ListRow& row : kLists) {
        if (section == row.section && list == row.list) return &row;
    }
    return nullptr;
}

const KeyRow* FindKey(const ClassInfo& itemClass) {
    for (const ClassInfo* c = &itemClass; c; c = c->Parent()) {
        for (const KeyRow& row : kKeys) {
            if (std::strcmp(c->Name(), row.itemClass) == 0) return &row;
        }
    }
    return nullptr;
}

bool IsClassOrDerived(const ClassInfo& cls, std::string_view name) {
    for (const ClassInfo* c = &cls; c; c = c->Parent()) {
        if (name == c->Name()) return true;
    }
    return false;
}

}  // namespace rb::compare::tables
