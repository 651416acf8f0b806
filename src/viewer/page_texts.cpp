// Pages 0 to 7: machine, operating system, processor, memory, displays, power, media, network.
#include "viewer/page_texts.h"

#include <cmath>

#include "core/text.h"
#include "sysinfo/routines_text.h"
#include "sysinfo/routines_time.h"

namespace rb::viewer {

namespace {

std::string UpTimeText(const std::string& upTime) {
    if (upTime.empty()) return "";
    const double seconds = NeutralTextToFloat(upTime);
    return FormatSeconds(true, false, false, static_cast<int64_t>(std::llround(seconds)));
}

}  // namespace

std::string DateTimeOrEmpty(const std::string& neutral) {
    return neutral.empty() ? std::string() : NeutralTextToDateTime(neutral);
}

std::vector<Group> MachineGroups(const TMachine& m) {
    return {
        {" Identificación ", {{"Nombre", m.Name}, {"Nombre de Usuario", m.User}}},
        {" Información del BIOS ",
         {{"Nombre", m.BIOSName},
          {"Derechos de Autor", m.BIOSCopyright},
          {"Fecha", m.BIOSDate},
          {"Info Extendida", m.BIOSExtendedInfo}}},
        {" Información de Inicio ",
         {{"Último inicio", DateTimeOrEmpty(m.LastBoot)},
          {"Tiempo de inicio", UpTimeText(m.SystemUpTime)}}},
    };
}

uint32_t IndicatorColour(bool on) { return on ? 0x0000FF00u : 0x00C0C0C0u; }

OSTexts OSPage(const TOperatingSystem& os) {
    OSTexts t;
    t.tabCaption = os.SOName;
    t.versionLine = os.OS_Version;
    const bool ntLike = os.Is_NT || os.Is_XP;
    if (ntLike) {
        static const char* const kProduct[] = {"", " - Workstation", " - Server",
                                               " - Advanced Server"};
        const auto type = static_cast<unsigned>(os.NTSpecific->ProductType);
        if (type < 4) t.versionLine += kProduct[type];
        t.servicePack = os.CSD;
    }
    t.versionNumbers =
        Format("Versión: %d.%d.%d", os.MajorVersion, os.MinorVersion, os.BuildNumber);
    if (os.Is_OSR2) {
        t.servicePack = "OSR 2";
    } else if (os.Is_SE) {
        t.servicePack = "Second Edition";
    }
    t.fields = {{"ID Producto", os.ProductID},
                {"Usuario Registrado", os.RegisteredUser},
                {"Organización Registrada", os.RegisteredOrg},
                {"Clave del Producto", os.ProductKey}};
    t.dvdRegion = "Región DVD: " + os.DVDRegion;
    t.packagesEnabled = os.Is_2K || os.Is_XP;
    return t;
}

Rows NonEmptyEntries(TStringCollection& entries) {
    Rows rows;
    const StringList& lines = entries.GetStrings();
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string value = lines.ValueFromIndex(i);
        if (!value.empty()) rows.push_back({lines.Names(i), value});
    }
    return rows;
}

Rows RegionalRows(const TOperatingSystem& os) {
    return {{"Separador Decimal", std::string(1, os.rDecimalSeparator)},
            {"Separador de Miles", std::string(1, os.rThousandSeparator)},
            {"Separador de Fecha", std::string(1, os.rDateSeparator)},
            {"Separador de Hora", std::string(1, os.rHourSeparator)},
            {"Símbolo am para la hora", os.rTimeAmString},
            {"Símbolo pm para la hora", os.rTimePmString}};
}

StringList SuiteLines(TNTSpecific& nt) {
    // The report: heading, product type, nine suites, two service-pack lines.
    StringList report, lines;
    nt.Report(report);
    for (int i = 2; i < 11 && i < report.Count(); ++i) lines.Add(report[i]);
    return lines;
}

std::string CPUHeading(const TCPU& cpu) {
    return Format("%d x %s %s - %d MHz", cpu.Count, Trim(cpu.Vendor).c_str(),
                  Trim(cpu.VendorID).c_str(), cpu.Frequency);
}

std::vector<Group> CPUGroups(const TCPU& cpu) {
    return {
        {" Identificación del Modelo ",
         {{"", Format("Familia %d  Modelo %d  Nivel %d", cpu.Family, cpu.Model, cpu.Stepping)},
          {"", "Número de serie: " + cpu.SerialNumber},
          {"", "Fabricante: " + cpu.VendorEx},
          {"", Format("Transistores: %d", cpu.Transistors)},
          {"", "Nombre Código: " + cpu.CodeName}}},
        {" Cache ",
         {{"", Format("Nivel 1 Cache de Datos: %d Kb", cpu.Cache->L1Data)},
          {"", Format("Nivel 1 Cache de Instrucciones: %d Kb", cpu.Cache->L1Code)},
          {"", Format("Nivel 1 Cache Unificado: %d Kb", cpu.Cache->Level1)},
          {"", Format("Nivel 2 Cache Unificado: %d Kb", cpu.Cache->Level2)}}},
    };
}

StringList CPUFeatureLines(TCPU& cpu) {
    StringList report, lines;
    cpu.Features->Report(report);
    for (int i = 1; i < report.Count(); ++i) lines.Add(report[i]);
    lines.Add(Format("FDIV Error=%d", cpu.FDIVBug ? 1 : 0));
    return lines;
}

std::vector<Group> MemoryGroups(const TMemory& m, char sep) {
    return {
        {" Mediciones de Memoria ",
         {{"Física Total", FormatHashes(m.PhysicalTotal, sep)},
          {"Física Libre", FormatHashZero(m.PhysicalFree, sep)},
          {"Total Paginada", FormatHashes(m.PageFileTotal, sep)},
          {"Paginada Libre", FormatHashZero(m.PageFileFree, sep)},
          {"Total Virtual", FormatHashes(m.VirtualTotal, sep)},
          {"Total Libre", FormatHashZero(m.VirtualFree, sep)}}},
        {"Propiedades de la Memoria ",
         {{"Granularidad de la Ubicación", FormatHashes(m.AllocGranularity, sep)},
          {"Rango de las Aplicaciones",
           Format("%08llX - %08llX", static_cast<unsigned long long>(m.MinAppAddress),
                  static_cast<unsigned long long>(m.MaxAppAddress))},
          {"Tamaño de la Página", FormatHashes(m.PageSize, sep)}}},
    };
}

std::vector<std::string> DisplayNames(const TDisplays& displays) {
    std::vector<std::string> names;
    for (int i = 0; i < displays.Count(); ++i) names.push_back(displays.Display(i).DisplayName());
    return names;
}

std::vector<Group> DisplayGroups(const TDisplay& d) {
    return {
        {" Propiedades del Adaptador ",
         {{"Chipset", d.Chipset}, {"DAC", d.DAC}, {"Memoria", IntToStr(d.Memory)}}},
        {" BIOS ", {{"", d.BIOSVersion + " (" + d.BIOSDate + ")"}}},
        {" Capacidades del Visualizador ",
         {{"", "Tecnología: " + d.Technology},
          {"", Format("Métricas: %d x %d - %d bit", d.HorzRes, d.VertRes, d.ColorDepth)},
          {"", Format("Ancho de Pixel: %d", d.PixelWidth)},
          {"", Format("Altura de Pixel: %d", d.PixelHeight)},
          {"", Format("Pixel Diagonal: %d", d.PixelDiagonal)},
          {"", Format("Resolución tipografía: %d dpi", d.FontResolution)}}},
    };
}

namespace {

// A capability block of the display's report without its heading.
template <class Caps, void (*ReportBlock)(Caps, StringList&)>
void Block(Caps caps, StringList& lines) {
    StringList report;
    ReportBlock(caps, report);
    for (int i = 1; i < report.Count(); ++i) lines.Add(report[i]);
}

}  // namespace

const std::array<CapabilityButton, 6> kCapabilityButtons = {{
    {"Modos de Video soportados...", "Modos de Video Soportados", nullptr},
    {"Curva...", "Características por Curva",
     [](const TDisplay& d, StringList& l) { Block<TCurveCaps, ReportCurveCaps>(d.CurveCaps, l); }},
    {"Línea...", "Características por Líneas",
     [](const TDisplay& d, StringList& l) { Block<TLineCaps, ReportLineCaps>(d.LineCaps, l); }},
    {"Polígono...", "Características Poligonales",
     [](const TDisplay& d, StringList& l) {
         Block<TPolygonCaps, ReportPolygonCaps>(d.PolygonCaps, l);
     }},
    {"Raster...", "Características Raster",
     [](const TDisplay& d, StringList& l) {
         Block<TRasterCaps, ReportRasterCaps>(d.RasterCaps, l);
     }},
    {"Texto...", "Características Text",
     [](const TDisplay& d, StringList& l) { Block<TTextCaps, ReportTextCaps>(d.TextCaps, l); }},
}};

APMTexts APMPage(const TAPM& apm) {
    static const char* const kLine[] = {"Desconocido", "Fuera de línea", "En línea"};
    static const char* const kCharge[] = {"Desconocido", "Alto",     "Bajo",
                                          "Crítico",     "Cargando", "Sin batería"};
    APMTexts t;
    const auto line = static_cast<unsigned>(apm.ACPowerStatus);
    const auto charge = static_cast<unsigned>(apm.BatteryChargeStatus);
    t.acLine = line < 3 ? kLine[line] : "";
    t.charge = charge < 6 ? kCharge[charge] : "";
    if (apm.BatteryLifePercent > 100) {
        t.fullTime = t.lifeTime = "<Información no disponible>";
    } else {
        t.fullTime = FormatSeconds(true, false, false, apm.BatteryLifeFullTime);
        t.lifeTime = FormatSeconds(true, false, false, apm.BatteryLifeTime);
        t.gauge = apm.BatteryLifePercent;
    }
    return t;
}

MediaIcon AvailableDeviceIcon(const TMedia& media, int index) {
    if (index == media.GamePortIndex) return MediaIcon::GamePort;
    if (index == media.SoundCardIndex) return MediaIcon::SoundCard;
    return MediaIcon::Generic;
}

Rows MediaRows(const TMedia& media) {
    Rows rows;
    for (int i = 0; i < media.Count(); ++i) {
        const auto& item = media.ItemAs<TMediaItem>(i);
        rows.push_back({item.ProductName, MediaTypeName(item.Class())});
    }
    return rows;
}

std::vector<Field> MediaDetailRows(const TMediaItem& item) {
    const std::string kind = MediaTypeName(item.Class());
    std::vector<Field> rows = {
        {"Clase", kind},
        {"Nombre del Dispositivo", item.ProductName},
        {"Versión Manejador",
         Format("%u.%u", (item.DriverVersion >> 8) & 0xFF, item.DriverVersion & 0xFF)}};
    if (const auto* wave = dynamic_cast<const TWOCMediaItem*>(&item)) {
        rows.push_back({"Channels", IntToStr(wave->Channels)});
    }
    return rows;
}

std::vector<Field> WinsockFields(const TWinsock& w) {
    return {{"Descripción", w.Description},
            {"Versión", Format("%d.%d", w.MajorVersion, w.MinorVersion)},
            {"Estado", w.Status}};
}

}  // namespace rb::viewer
