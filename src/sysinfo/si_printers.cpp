#include "sysinfo/si_printers.h"

#include <algorithm>

#include "core/text.h"
#include "sysinfo/list_report.h"

namespace rb {

const ClassInfo& TPrinterDeviceComplete::StaticClass() {
    using P = TPrinterDeviceComplete;
    static const ClassInfo info("TPrinterDeviceComplete", &CollectionItem::StaticClass(),
                                {
                                    Prop<&P::ServerName>("ServerName"),
                                    Prop<&P::PrinterName>("PrinterName"),
                                    Prop<&P::ShareName>("ShareName"),
                                    Prop<&P::PortName>("PortName"),
                                    Prop<&P::DriverName>("DriverName"),
                                    Prop<&P::Comment>("Comment"),
                                    Prop<&P::Location>("Location"),
                                    Prop<&P::SepFile>("SepFile"),
                                    Prop<&P::PrintProcessor>("PrintProcessor"),
                                    Prop<&P::Datatype>("Datatype"),
                                    Prop<&P::Parameters>("Parameters"),
                                    Prop<&P::Attributes>("Attributes"),
                                    Prop<&P::Priority>("Priority"),
                                    Prop<&P::DefaultPriority>("DefaultPriority"),
                                    Prop<&P::StartTime>("StartTime"),
                                    Prop<&P::UntilTime>("UntilTime"),
                                    Prop<&P::Status>("Status"),
                                    Prop<&P::cJobs>("cJobs"),
                                    Prop<&P::AveragePPM>("AveragePPM"),
                                },
                                MakeInstance<TPrinterDeviceComplete>);
    return info;
}

namespace {

// Bit and phrase, in the order the phrases are appended.
struct BitPhrase {
    uint32_t bit;
    const char* phrase;
};

const BitPhrase kAttributePhrases[] = {
    {0x0001, "En cola - "},
    {0x0002, "Impresión Directa - "},
    {0x0004, "Por defecto - "},
    {0x0008, "Compartida - "},
    {0x0010, "Red - "},
    {0x0020, "Oculta - "},
    {0x0040, "Local - "},
    {0x0080, "Habilitada DEVQ - "},
    {0x0100, "Guarda los trabajos impresos - "},
    {0x0200, "Primero Completar - "},
    {0x0400, "Fuera de línea - "},
    {0x0800, "Habilitada Impresión Bidireccional - "},
    {0x1000, "Sólo impresión cruda - "},
};

const BitPhrase kStatusPhrases[] = {
    {0x00000001, "Impresora en Pausa - "},
    {0x00000002, "Error - "},
    {0x00000004, "Pendiente de Borrar - "},
    {0x00000008, "Papel trabado - "},
    {0x00000010, "Sin papel - "},
    {0x00000020, "Alimentación Manual - "},
    {0x00000040, "Problema con el papel"},  // the one phrase without the separator
    {0x00000080, "Fuera de línea - "},
    {0x00000100, "Actividad de E/S - "},
    {0x00000200, "Ocupada - "},
    {0x00000400, "Imprimiendo - "},
    {0x00000800, "Bandeja de Salida llena - "},
    {0x00001000, "Sin estado disponible - "},
    {0x00002000, "Esperando - "},
    {0x00004000, "Procesando - "},
    {0x00008000, "Inicializando - "},
    {0x00010000, "Calentando - "},
    {0x00020000, "Baja de toner - "},
    {0x00040000, "Sin toner - "},
    {0x00080000, "Página demasiado compleja para imprimir - "},
    {0x00100000, "Intervención de usuario - "},
    {0x00200000, "Sin memoria - "},
    {0x00400000, "Compuerta abierta - "},
    {0x00800000, "Servidor desconocido - "},
    {0x01000000, "En modo ahorro de energía - "},
};

template <size_t N>
void AppendPhrases(const BitPhrase (&phrases)[N], uint32_t bits, std::string& text) {
    for (const BitPhrase& p : phrases) {
        if (bits & p.bit) text += p.phrase;
    }
}

}  // namespace

void PrinterAttributesText(uint32_t attributes, std::string& text) {
    AppendPhrases(kAttributePhrases, attributes, text);
}

void PrinterStatusText(uint32_t status, std::string& text) {
    AppendPhrases(kStatusPhrases, status, text);
}

std::string TPrinterDeviceComplete::DisplayName() const {
    const size_t slash = PrinterName.rfind('\\');
    std::string name = slash == std::string::npos ? PrinterName : PrinterName.substr(slash + 1);
    // The server name comes as "\\SERVER".
    if (!ServerName.empty()) {
        name += " en " + ServerName.substr(std::min<size_t>(2, ServerName.size()));
    }
    return name;
}

const ClassInfo& TPrinters::StaticClass() {
    static const ClassInfo info("TPrinters", &TInfoProcessCollection::StaticClass(),
                                {Prop<&TPrinters::DefaultIndex>("DefaultIndex")},
                                MakeInstance<TPrinters>);
    return info;
}

TPrinters::TPrinters(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TPrinterDeviceComplete::StaticClass()) {
    InfoName = "Impresoras";
}

void TPrinters::Report(StringList& list) {
    ReportList("Printers", Count(), [this](int i) {
        const auto& p = ItemAs<TPrinterDeviceComplete>(i);
        return Format("%s on %s=%d", p.PrinterName.c_str(), p.PortName.c_str(),
                      i == DefaultIndex ? 1 : 0);
    }, list);
}

}  // namespace rb
