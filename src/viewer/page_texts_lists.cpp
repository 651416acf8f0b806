// Pages 8 to 18: devices, printers, engines, disks, time zone, processes, start-up, software,
// problems, services, performance.
#include <algorithm>
#include <cmath>

#include "core/text.h"
#include "sysinfo/routines_text.h"
#include "sysinfo/si_printers.h"
#include "viewer/page_texts.h"

namespace rb::viewer {

DeviceNode DeviceTree(const TDevices& devices) {
    DeviceNode root;
    root.caption = devices.Machine;
    for (int i = 0; i < devices.Count(); ++i) {
        const TDevice& d = devices.Device(i);
        if (i == 0 || d.DeviceClass != devices.Device(i - 1).DeviceClass) {
            root.children.push_back({d.Category, -1, d.DeviceClass, {}});
        }
        root.children.back().children.push_back({d.DisplayName(), i, d.DeviceClass, {}});
    }
    const auto byCaption = [](const DeviceNode& a, const DeviceNode& b) {
        return AnsiCompareText(a.caption, b.caption) < 0;
    };
    for (DeviceNode& node : root.children) {
        std::stable_sort(node.children.begin(), node.children.end(), byCaption);
    }
    std::stable_sort(root.children.begin(), root.children.end(), byCaption);
    return root;
}

std::vector<Field> DeviceDetailRows(const TDevice& d, const std::string& nodeCaption,
                                    const std::string& classCaption) {
    return {{"Nombre del Dispositivo", nodeCaption},
            {"Clase", d.DeviceClassName},
            {"Descripción de la Clase", classCaption},
            {"GUID Clase", d.GUID},
            {"Fabricante", d.Manufacturer},
            {"Ubicación", d.Location},
            {"IDSoporteFísico", d.HardwareID},
            {"Versión Manejador", d.DriverVersion},
            {"Fecha del Manejador", d.DriverDate},
            {"Proveedor del Manejador", d.DriverProvider},
            {"Nombre del Servicio", d.ServiceName.empty() ? d.Service : d.ServiceName},
            {"Grupo de Servicio", d.ServiceGroup}};
}

PrinterIcon PrinterIconOf(const TPrinters& printers, int index) {
    const auto& p = printers.ItemAs<TPrinterDeviceComplete>(index);
    const bool network = !p.ServerName.empty() || p.PortName.rfind("\\\\", 0) == 0;
    const bool isDefault = index == printers.DefaultIndex;
    if (network) return isDefault ? PrinterIcon::NetworkDefault : PrinterIcon::Network;
    return isDefault ? PrinterIcon::LocalDefault : PrinterIcon::Local;
}

Rows PrinterRows(const TPrinters& printers) {
    Rows rows;
    for (int i = 0; i < printers.Count(); ++i) {
        const auto& p = printers.ItemAs<TPrinterDeviceComplete>(i);
        rows.push_back({p.DisplayName(), p.PortName});
    }
    return rows;
}

namespace {

// The printers section's phrases of the bits set in `bits`.
std::string BitText(void (*phrases)(uint32_t, std::string&), uint32_t bits) {
    std::string text;
    phrases(bits, text);
    return text;
}

}  // namespace

std::vector<Field> PrinterDetailRows(const TPrinterDeviceComplete& p) {
    std::vector<Field> rows = {{"Nombre de la impresora", p.PrinterName},
                               {"Nombre del servidor", p.ServerName},
                               {"Nombre compartido", p.ShareName},
                               {"Nombre del puerto", p.PortName},
                               {"Nombre del manejador", p.DriverName},
                               {"Comentario", p.Comment},
                               {"Ubicación", p.Location},
                               {"Carátula", p.SepFile},
                               {"Procesador de Impresión", p.PrintProcessor},
                               {"Tipo de datos", p.Datatype},
                               {"Parámetros", p.Parameters},
                               {"Atributos", BitText(rb::PrinterAttributesText, p.Attributes)},
                               {"Prioridad", IntToStr(p.Priority)},
                               {"Prioridad por defecto", IntToStr(p.DefaultPriority)},
                               {"Estado", BitText(rb::PrinterStatusText, p.Status)},
                               {"Trabajos pendientes", IntToStr(p.cJobs)},
                               {"Páginas por minuto (promedio)", IntToStr(p.AveragePPM)}};
    if (p.StartTime != "0") rows.push_back({"Inicia", DateTimeOrEmpty(p.StartTime)});
    if (p.UntilTime != "0") rows.push_back({"Finaliza", DateTimeOrEmpty(p.UntilTime)});
    return rows;
}

std::vector<std::string> EngineLines(const TEngines& e) {
    const auto line = [](const char* name, const std::string& version) {
        return version.empty() ? std::string(name) + " no encontrado"
                               : std::string(name) + " " + version;
    };
    return {line("Open Database Connectivity", e.ODBC), line("Borland Database Engine", e.BDE),
            line("Microsoft Data Access Objects", e.DAO),
            line("Microsoft ActiveX Data Objects", e.ADO)};
}

std::string DirectXLine(const TDirectX& dx) {
    return dx.Version.empty() ? "No instalado" : "Versión Instalada: " + dx.Version;
}

Rows DirectXRows(const TDirectX& dx) {
    Rows rows;
    const auto add = [&rows](TStringCollection& list, const char* kind) {
        for (int i = 0; i < list.Count(); ++i) rows.push_back({list.Get(i), kind});
    };
    add(*dx.Direct3D, "Direct3D");
    add(*dx.DirectMusic, "DirectMusic");
    add(*dx.DirectPlay, "DirectPlay");
    return rows;
}

std::vector<std::string> DiskEntries(const TDisks& disks) {
    std::vector<std::string> entries;
    for (int i = 0; i < disks.Count(); ++i) {
        const auto& d = disks.ItemAs<TDisk>(i);
        entries.push_back(d.DriveLetter + " [" + d.VolumeLabel + "]");
    }
    return entries;
}

const TDisk* DiskOfEntry(const TDisks& disks, const std::string& entry) {
    return disks.FindDisk(entry.substr(0, 2));
}

DiskTexts DiskPage(const TDisk& d, char sep) {
    DiskTexts t;
    t.kind = MediaTypeText(static_cast<uint32_t>(d.MediaType)) + " - " + d.FileSystem;
    t.unc = d.UNCExpand;
    t.serial = d.SerialNumber;
    t.capacity = "Capacidad: " + FormatHashZero(d.Capacity, sep) + " B";
    t.freeSpace = "Espacio Libre: " + FormatHashZero(d.FreeSpace, sep) + " B";
    t.bytesPerSector = Format("Bytes/sector: %u", d.BytesPerSector);
    t.sectorsPerCluster = Format("Sector/cluster: %u", d.SectorsPerCluster);
    t.freeClusters = "Clusters libres: " + FormatHashZero(d.FreeClusters, sep);
    t.totalClusters = "Total de clusters: " + FormatHashZero(d.TotalClusters, sep);
    if (d.Capacity != 0) {
        const double used = double(d.Capacity - d.FreeSpace) / double(d.Capacity) * 100.0;
        t.gauge = static_cast<int>(std::lround(used));
    }
    return t;
}

std::vector<CheckItem> DiskFlagItems(const TDisk& d) {
    static const char* const kCaptions[] = {
        "Case Is Preserved", "Case Sensitive", "Unicode Stored On Disk", "Persistent Acls",
        "File Compression", "Volume Is Compressed", "Long Filenames",
        "Encrypted File System Support", "Object IDs Support", "Reparse Points Support",
        "Sparse Files Support", "Disk Quotas Support"};
    std::vector<CheckItem> items;
    for (size_t i = 0; i < std::size(kCaptions); ++i) {
        items.push_back({kCaptions[i], d.FileFlags.Contains(static_cast<TFileFlag>(i))});
    }
    return items;
}

TimeZoneTexts TimeZonePage(const TTimeZone& z) {
    TimeZoneTexts t;
    t.displayName = z.DisplayName;
    t.standardCaption = " " + z.StandardName + " ";
    t.daylightCaption = " " + z.DaylightName + " ";
    t.standardVisible = z.StandardStart != "0";
    t.daylightVisible = z.DaylightStart != "0";
    if (t.standardVisible) t.standardStart = DateTimeOrEmpty(z.StandardStart);
    if (t.daylightVisible) t.daylightStart = DateTimeOrEmpty(z.DaylightStart);
    t.standardBias = IntToStr(z.StandardBias);
    t.daylightBias = IntToStr(z.DaylightBias);
    t.mapLeft = static_cast<int>(std::lround((z.Bias / 60.0 - 12) * 14.8));
    return t;
}

Rows ProcessRows(const TProcesses& processes) {
    Rows rows;
    for (int i = 0; i < processes.Count(); ++i) {
        const auto& p = processes.ItemAs<TProcess>(i);
        // The NT flag is not part of the document: identifiers always show in hexadecimal.
        const std::string pid = processes.WasNT() ? Format("%d", p.Pid)
                                                  : Format("0x%x", static_cast<unsigned>(p.Pid));
        rows.push_back({pid, p.DisplayName(), p.Location});
    }
    return rows;
}

std::string ProcessCountText(int count) { return Format("  %d procesos", count); }

const std::array<StartupTab, 6> kStartupTabs = {{
    {"Inicio (Usuario)", TRunType::rtUser},
    {"Inicio (Común)", TRunType::rtCommon},
    {"HKLM \\ Run", TRunType::rtHKLM},
    {"HKCU \\ Run", TRunType::rtHKCU},
    {"Run Once", TRunType::rtOnce},
    {"WIN.INI", TRunType::rtWinINI},
}};

Rows StartupRows(const TStartup& startup, int tab) {
    StringList indexes;
    startup.ItemsAt(kStartupTabs.at(tab).location, indexes);
    Rows rows;
    for (int i = 0; i < indexes.Count(); ++i) {
        const auto& item = startup.ItemAs<TStartupItem>(std::stoi(indexes[i]));
        rows.push_back({item.ProcessName, item.ProcessLine});
    }
    return rows;
}

std::vector<std::string> CollectionLines(TStringCollection& strings) {
    return strings.GetStrings().Lines();
}

namespace {

std::string WithoutPrefix(const EnumInfo& info, int value) {
    const std::string name = info.Name(value);
    return name.size() > 2 ? name.substr(2) : std::string();
}

}  // namespace

Rows ServiceRows(const TServicesCollection& services) {
    Rows rows;
    for (int i = 0; i < services.Count(); ++i) {
        const TServiceItem& s = services.Items(i);
        rows.push_back({s.DisplayName, s.ServiceName,
                        WithoutPrefix(DescribeEnum(s.Status), int(s.Status)),
                        WithoutPrefix(DescribeEnum(s.StartType), int(s.StartType)),
                        s.ServiceStartName});
    }
    return rows;
}

std::vector<Field> ServiceDetailRows(TServiceItem& s) {
    return {{"Nombre", s.DisplayName},
            {"Ejecutable", s.BinaryPathName},
            {"Usuario", s.ServiceStartName},
            {"Dependencias", s.Dependencies->CommaText()},
            {"Tipo de Arranque", DescribeEnum(s.StartType).Name(int(s.StartType))},
            {"Estado", DescribeEnum(s.Status).Name(int(s.Status))},
            {"Severidad de los errores", DescribeEnum(s.ErrorControl).Name(int(s.ErrorControl))}};
}

Rows PerformanceRows(const TPerformanceInfo& performance) {
    Rows rows;
    for (int i = 0; i < performance.Count(); ++i) {
        const auto& item = performance.ItemAs<TPerformanceItem>(i);
        rows.push_back({item.TestName, Format("%u", item.TimeElapsed)});
    }
    return rows;
}

}  // namespace rb::viewer
