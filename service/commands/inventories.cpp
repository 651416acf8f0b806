// kestrin-service list, show and export: what the store holds, on the terminal.
#include <algorithm>

#include "core/exception.h"
#include "core/string_list.h"
#include "core/text.h"
#include "service/commands/arguments.h"
#include "service/commands/command_table.h"
#include "service/filing/filing.h"
#include "service/inventory_texts.h"
#include "service/remote_call/handler.h"

namespace rb::service {

int ListCommand(const Arguments& args) {
    const std::unique_ptr<Store> store = OpenServiceStore(args);
    Print(Format("%-5s %-19s  %-15s %9s %10s  %s\n", "ID", "Recibido (UTC)", "Origen", "Secciones",
                 "Bytes XML", "Nombre"));
    for (const InventorySummary& row : store->ListAll()) {
        Print(Format("%-5lld %-19s  %-15s %9d %10lld  %s\n", static_cast<long long>(row.id),
                     row.received.c_str(), row.peer.c_str(), CountSections(row.sections),
                     static_cast<long long>(row.xmlSize), row.header.Nombre.c_str()));
    }
    return 0;
}

// The stored header, then the inventory's own text report.
int ShowCommand(const Arguments& args) {
    if (args.words.size() != 1) throw UsageError();
    const std::unique_ptr<Store> store = OpenServiceStore(args);
    const Inventory inv = FetchInventory(*store, ParseNumber(args.words[0]));
    const THeader& h = inv.header;
    StringList lines;
    lines.Add(Format("Inventario %lld", static_cast<long long>(inv.id)));
    lines.Add("Recibido (UTC): " + inv.received);
    lines.Add("Origen: " + inv.peer);
    lines.Add("Cliente: " + inv.clientId);
    lines.Add("Operación: " + inv.operation);
    lines.Add("Nombre: " + h.Nombre);
    lines.Add("Teléfono: " + h.Telefono);
    lines.Add("Observaciones: " + h.Observaciones);
    lines.Add("Destino: " + h.Destino);
    lines.Add(Format("Secciones (%d): %s", CountSections(inv.sections), inv.sections.c_str()));
    lines.Add(Format("XML: %u bytes", unsigned(inv.xml.size())));
    lines.Add("");
    std::string text = lines.Text() + ReportText(inv.xml);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    Print(text);
    return 0;
}

int ExportCommand(const Arguments& args) {
    if (args.words.size() != 2) throw UsageError();
    const std::unique_ptr<Store> store = OpenServiceStore(args);
    const Inventory inv = FetchInventory(*store, ParseNumber(args.words[0]));
    WritePackageFile(PackageText(inv), args.words[1]);
    // The file name is the terminal's own text: printed as it came.
    Print(Format("Inventario %lld exportado a ", static_cast<long long>(inv.id)));
    std::puts(args.words[1].c_str());
    return 0;
}

}  // namespace rb::service
