// The machines through the API: the list, one machine with its inventories, and each
// inventory's changes since the previous one of the machine.
#include <nlohmann/json.hpp>

#include "core/cp1252.h"
#include "service/changes_json.h"
#include "service/console/console.h"
#include "service/console/web.h"
#include "service/filing/changes.h"

namespace rb::service::console::api {
namespace {

using nlohmann::json;

http::Response Json(int status, const json& body) {
    http::Response response(status, "application/json", body.dump() + "\n");
    SecureHeaders(response, false);
    return response;
}

json MachineJson(const MachineRecord& m) {
    return {{"numero", m.id},
            {"equipo", Cp1252ToUtf8(m.computer)},
            {"inventarios", m.inventories},
            {"primero", m.firstInventory},
            {"ultimo", m.lastInventory},
            {"recibido", Cp1252ToUtf8(m.lastReceived)},
            {"enlace", "/api/v1/maquinas/" + std::to_string(m.id)}};
}

}  // namespace

http::Response Machines(Console& console, const http::Request& request) {
    const int64_t offset = NumberIn(QueryOf(request), "desde", 12).value_or(0);
    json body{{"desde", offset}, {"maquinas", json::array()}};
    for (const MachineRecord& m : console.GetStore().ListMachines(offset, 100)) {
        body["maquinas"].push_back(MachineJson(m));
    }
    return Json(200, body);
}

http::Response Machine(Console& console, const http::Request& request) {
    const std::optional<MachineRecord> m = console.GetStore().GetMachine(request.numbers.at(0));
    if (!m) return Json(404, {{"error", "No hay ninguna máquina con ese número"}});
    json body = MachineJson(*m);
    body["historia"] = json::array();
    for (const ChangeRecord& r : rb::service::MachineChanges(console.GetStore(), m->id)) {
        body["historia"].push_back({{"inventario", r.inventoryId},
                                    {"anterior", r.previousId},
                                    {"recibido", Cp1252ToUtf8(r.received)},
                                    {"cambios", r.changes},
                                    {"resumen", Cp1252ToUtf8(r.summary)}});
    }
    return Json(200, body);
}

// Every inventory of the machine against the one before it, newest first; with
// ?volatiles=1 the values that change on every run too.
http::Response MachineChanges(Console& console, const http::Request& request) {
    Store& store = console.GetStore();
    const std::optional<MachineRecord> m = store.GetMachine(request.numbers.at(0));
    if (!m) return Json(404, {{"error", "No hay ninguna máquina con ese número"}});
    compare::DiffOptions options;
    options.includeVolatile = QueryOf(request).count("volatiles") > 0;
    json body{{"maquina", m->id}, {"comparaciones", json::array()}};
    for (const ChangeRecord& r : rb::service::MachineChanges(store, m->id)) {
        if (r.previousId == 0) continue;
        try {
            body["comparaciones"].push_back(
                DifferenceJson(r.previousId, r.inventoryId,
                               CompareStored(store, r.previousId, r.inventoryId, options)));
        } catch (const std::exception& e) {
            body["comparaciones"].push_back({{"antes", r.previousId},
                                             {"despues", r.inventoryId},
                                             {"error", Cp1252ToUtf8(e.what())}});
        }
    }
    return Json(200, body);
}

}  // namespace rb::service::console::api
