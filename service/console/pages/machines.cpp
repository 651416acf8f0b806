// Machines: every computer the inventories came from, each one's timeline of inventories with
// what changed in each, and the saved search of machines changed in the last days.
#include "core/text.h"
#include "service/console/console.h"
#include "service/console/render.h"
#include "service/console/web.h"
#include "service/filing/changes.h"

namespace rb::service::console::pages {
namespace {

constexpr int kMachinesPage = 50;

std::string InventoryLink(int64_t id) {
    return "/consola/inventarios/" + std::to_string(id);
}

std::string CompareLink(int64_t before, int64_t after) {
    return "/consola/comparar?a=" + std::to_string(before) + "&b=" + std::to_string(after);
}

}  // namespace

http::Response Machines(Console& console, const http::Request& request) {
    const int64_t page = std::max<int64_t>(1, NumberIn(QueryOf(request), "pagina", 8).value_or(1));
    const std::vector<MachineRecord> machines =
        console.GetStore().ListMachines((page - 1) * kMachinesPage, kMachinesPage + 1);
    Data rows = List();
    for (size_t i = 0; i < machines.size() && i < size_t(kMachinesPage); ++i) {
        const MachineRecord& m = machines[i];
        Data row;
        row.set("enlace", "/consola/maquinas/" + std::to_string(m.id));
        row.set("numero", std::to_string(m.id));
        row.set("equipo", Text(m.computer));
        row.set("inventarios", Grouped(m.inventories));
        row.set("ultimo", Text(m.lastReceived));
        rows.push_back(row);
    }
    Data data;
    data.set("maquinas", rows);
    data.set("vacia", machines.empty());
    data.set("conanterior", page > 1);
    data.set("anterior", "/consola/maquinas?pagina=" + std::to_string(page - 1));
    data.set("consiguiente", machines.size() > size_t(kMachinesPage));
    data.set("siguiente", "/consola/maquinas?pagina=" + std::to_string(page + 1));
    return Page(request, "maquinas", data, "Máquinas");
}

http::Response Machine(Console& console, const http::Request& request) {
    const int64_t id = request.numbers.at(0);
    const std::optional<MachineRecord> machine = console.GetStore().GetMachine(id);
    if (!machine) {
        return ErrorPage(request, 404, Format("No hay ninguna máquina con el número %lld.",
                                              static_cast<long long>(id)));
    }
    InventoryQuery query;
    query.machineId = id;
    query.limit = 10000;
    std::map<int64_t, InventorySummary> summaries;
    for (InventorySummary& s : console.GetStore().Search(query).rows) summaries[s.id] = std::move(s);
    Data timeline = List();
    for (const ChangeRecord& r : MachineChanges(console.GetStore(), id)) {
        const InventorySummary& s = summaries[r.inventoryId];
        Data entry;
        entry.set("numero", std::to_string(r.inventoryId));
        entry.set("enlace", InventoryLink(r.inventoryId));
        entry.set("recibido", Text(r.received));
        entry.set("nombre", Text(s.header.Nombre));
        entry.set("destino", Text(s.header.Destino));
        entry.set("resumen", SummaryText(r.summary));
        entry.set("cambios", Grouped(r.changes));
        entry.set("concambios", r.changes > 0);
        entry.set("conanterior", r.previousId > 0);
        entry.set("comparar", CompareLink(r.previousId, r.inventoryId));
        timeline.push_back(entry);
    }
    Data data;
    data.set("equipo", Text(machine->computer));
    data.set("inventarios", Grouped(machine->inventories));
    data.set("ultimo", Text(machine->lastReceived));
    data.set("linea", timeline);
    return Page(request, "maquina", data, "Máquina " + machine->computer);
}

http::Response RecentChanges(Console& console, const http::Request& request) {
    const Values query = QueryOf(request);
    const int64_t days = std::max<int64_t>(1, NumberIn(query, "dias", 4).value_or(7));
    const std::string since = UtcText(NowSeconds() - days * 86400);
    Data rows = List();
    for (const ChangeRecord& r : console.GetStore().ChangesSince(since, 500)) {
        const std::optional<MachineRecord> machine = console.GetStore().GetMachine(r.machineId);
        Data row;
        row.set("equipo", Text(machine ? machine->computer : std::string()));
        row.set("maquina", "/consola/maquinas/" + std::to_string(r.machineId));
        row.set("numero", std::to_string(r.inventoryId));
        row.set("enlace", InventoryLink(r.inventoryId));
        row.set("recibido", Text(r.received));
        row.set("resumen", SummaryText(r.summary));
        row.set("comparar", CompareLink(r.previousId, r.inventoryId));
        rows.push_back(row);
    }
    Data data;
    data.set("dias", std::to_string(days));
    data.set("cambios", rows);
    data.set("vacia", rows.is_empty_list());
    return Page(request, "cambios", data, "Cambios recientes");
}

}  // namespace rb::service::console::pages
