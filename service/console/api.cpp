// The read API under /api/v1: the same searches and inventories as the console's pages, as
// JSON (UTF-8), for a signed-in browser or an API token.
#include <nlohmann/json.hpp>

#include "core/cp1252.h"
#include "core/text.h"
#include "service/console/console.h"
#include "service/console/inventory_view.h"
#include "service/console/list_query.h"
#include "service/console/web.h"

namespace rb::service::console::api {
namespace {

using nlohmann::json;

std::string U(const std::string& cp1252) {
    return Cp1252ToUtf8(cp1252);
}

http::Response Json(int status, const json& body) {
    http::Response response(status, "application/json", body.dump() + "\n");
    SecureHeaders(response, false);
    return response;
}

json SummaryJson(const InventorySummary& s) {
    json row;
    for (const ListColumn& c : kListColumns) {
        if (c.number) {
            row[c.key] = c.value(s);
        } else {
            row[c.key] = U(c.text(s));
        }
    }
    row["destino"] = U(s.header.Destino);
    row["maquina"] = s.machineId;
    row["enlace"] = "/api/v1/inventarios/" + std::to_string(s.id);
    return row;
}

json BlockJson(const viewer::Block& b) {
    using K = viewer::Block::Kind;
    json block;
    block["titulo"] = U(b.caption);
    if (b.folded) block["detalle"] = true;
    if (b.kind == K::Fields) {
        for (const viewer::Field& f : b.fields) {
            block["campos"].push_back({{"etiqueta", U(f.label)}, {"valor", U(f.value)}});
        }
    } else if (b.kind == K::Table) {
        for (const std::string& c : b.columns) block["columnas"].push_back(U(c));
        block["filas"] = json::array();
        for (const viewer::Row& r : b.rows) {
            json row = json::array();
            for (const std::string& cell : r) row.push_back(U(cell));
            block["filas"].push_back(row);
        }
    } else if (b.kind == K::Checks) {
        for (const viewer::CheckItem& c : b.checks) {
            block["marcas"].push_back({{"texto", U(c.text)}, {"marcado", c.checked}});
        }
    } else {
        block["lineas"] = json::array();
        for (const std::string& line : b.lines) block["lineas"].push_back(U(line));
    }
    return block;
}

}  // namespace

http::Response Inventories(Console& console, const http::Request& request) {
    std::string problem;
    const InventoryQuery q = QueryFrom(QueryOf(request), console.Options().pageSize, problem);
    const SummaryPage page = console.GetStore().Search(q);
    json body{{"total", page.total}, {"desde", q.offset}, {"cuantos", q.limit},
              {"inventarios", json::array()}};
    if (!problem.empty()) body["aviso"] = U(problem);
    for (const InventorySummary& s : page.rows) body["inventarios"].push_back(SummaryJson(s));
    return Json(200, body);
}

http::Response Inventory(Console& console, const http::Request& request) {
    const int64_t id = request.numbers.at(0);
    const std::optional<rb::service::Inventory> inv = console.GetStore().GetInventory(id);
    const std::optional<InventorySummary> summary = console.GetStore().GetSummary(id);
    if (!inv || !summary) return Json(404, {{"error", "No hay ningún inventario con ese número"}});
    const InventoryView view = ViewOf(*inv);
    json body = SummaryJson(*summary);
    body["cabecera"] = {{"Nombre", U(inv->header.Nombre)},
                        {"Telefono", U(inv->header.Telefono)},
                        {"Observaciones", U(inv->header.Observaciones)},
                        {"Destino", U(inv->header.Destino)}};
    body["origen"] = U(inv->peer);
    body["cliente"] = U(inv->clientId);
    if (!view.problem.empty()) body["problema"] = U(view.problem);
    body["salud"] = json::array();
    for (const SectionHealth& h : view.health) {
        json row{{"seccion", U(h.caption)}, {"estado", StateText(h.state)}};
        for (const std::string& e : h.errors) row["errores"].push_back(U(e));
        if (h.milliseconds) row["milisegundos"] = *h.milliseconds;
        body["salud"].push_back(row);
    }
    body["paginas"] = json::array();
    for (const viewer::PageContent& p : view.pages) {
        json page{{"titulo", U(p.caption)}, {"bloques", json::array()}};
        for (const viewer::Block& b : p.blocks) page["bloques"].push_back(BlockJson(b));
        body["paginas"].push_back(page);
    }
    return Json(200, body);
}

}  // namespace rb::service::console::api
