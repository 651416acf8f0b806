// One inventory: its header, where and when it came from, the health of each section, then
// every page as the program's viewer shows it.
#include "core/text.h"
#include "service/console/console.h"
#include "service/console/inventory_view.h"
#include "service/console/list_query.h"
#include "service/console/render.h"

namespace rb::service::console::pages {
namespace {

Data FieldsOf(const std::vector<viewer::Field>& fields) {
    Data list = List();
    for (const viewer::Field& f : fields) {
        Data field;
        field.set("conetiqueta", !f.label.empty());
        field.set("etiqueta", Text(f.label));
        field.set("valor", Text(f.value));
        list.push_back(field);
    }
    return list;
}

void AddTable(const viewer::Block& b, Data& block) {
    Data columns = List();
    for (const std::string& c : b.columns) columns.push_back(Text(c));
    block.set("columnas", columns);
    Data rows = List();
    for (const viewer::Row& r : b.rows) {
        Data cells = List();
        for (const std::string& cell : r) cells.push_back(Text(cell));
        Data row;
        row.set("celdas", cells);
        rows.push_back(row);
    }
    block.set("filas", rows);
}

// Each block says what it is, so that the template never falls back on a value of the page
// around it.
Data BlockOf(const viewer::Block& b) {
    using K = viewer::Block::Kind;
    Data block;
    block.set("titulo", Text(b.caption));
    block.set("contitulo", !b.caption.empty());
    block.set("plegado", b.folded);
    block.set("escampos", b.kind == K::Fields);
    block.set("establa", b.kind == K::Table);
    block.set("eslineas", b.kind == K::Lines);
    block.set("esmarcas", b.kind == K::Checks);
    if (b.kind == K::Fields) block.set("campos", FieldsOf(b.fields));
    if (b.kind == K::Table) AddTable(b, block);
    if (b.kind == K::Lines) {
        Data lines = List();
        for (const std::string& line : b.lines) lines.push_back(Text(line));
        block.set("lineas", lines);
    }
    if (b.kind == K::Checks) {
        Data checks = List();
        for (const viewer::CheckItem& c : b.checks) {
            Data check;
            check.set("texto", Text(c.text));
            check.set("marcado", c.checked);
            checks.push_back(check);
        }
        block.set("marcas", checks);
    }
    block.set("vacio", (b.kind == K::Table && b.rows.empty()) ||
                           (b.kind == K::Lines && b.lines.empty()) ||
                           (b.kind == K::Checks && b.checks.empty()));
    return block;
}

Data HealthOf(const InventoryView& view) {
    Data rows = List();
    for (const SectionHealth& h : view.health) {
        Data row;
        row.set("seccion", Text(h.caption));
        row.set("estado", StateText(h.state));
        row.set("clase", h.state == SectionHealth::State::Failed        ? "mal"
                         : h.state == SectionHealth::State::NotSelected ? "no"
                                                                        : "bien");
        Data errors = List();
        for (const std::string& line : h.errors) errors.push_back(Text(line));
        row.set("errores", errors);
        row.set("tiempo", h.milliseconds ? Grouped(*h.milliseconds) + " ms" : std::string());
        rows.push_back(row);
    }
    return rows;
}

Data HeaderOf(const rb::service::Inventory& inv, const InventorySummary& summary) {
    Data header;
    header.set("nombre", Text(inv.header.Nombre));
    header.set("telefono", Text(inv.header.Telefono));
    header.set("observaciones", Text(inv.header.Observaciones));
    header.set("destino", Text(inv.header.Destino));
    header.set("recibido", Text(inv.received));
    header.set("origen", Text(inv.peer));
    header.set("cliente", Text(inv.clientId));
    header.set("operacion", Text(inv.operation));
    header.set("tamano", Grouped(static_cast<int64_t>(inv.xml.size())) + " bytes");
    header.set("conmaquina", summary.machineId > 0);
    header.set("maquina", "/consola/maquinas/" + std::to_string(summary.machineId));
    return header;
}

}  // namespace

http::Response Inventory(Console& console, const http::Request& request) {
    const int64_t id = request.numbers.at(0);
    const std::optional<rb::service::Inventory> inv = console.GetStore().GetInventory(id);
    const std::optional<InventorySummary> summary = console.GetStore().GetSummary(id);
    if (!inv || !summary) {
        return ErrorPage(request, 404, Format("No hay ningún inventario con el número %lld.",
                                              static_cast<long long>(id)));
    }
    const InventoryView view = ViewOf(*inv);
    Data data;
    const std::string base = "/consola/inventarios/" + std::to_string(id);
    data.set("numero", std::to_string(id));
    data.set("base", base);
    data.set("cabecera", HeaderOf(*inv, *summary));
    data.set("conproblema", !view.problem.empty());
    data.set("problema", Text(view.problem));
    data.set("salud", HealthOf(view));
    Data pages = List();
    Data index = List();
    for (const viewer::PageContent& p : view.pages) {
        Data page;
        page.set("titulo", Text(p.caption));
        page.set("ancla", "pagina-" + std::to_string(p.page));
        Data blocks = List();
        for (const viewer::Block& b : p.blocks) blocks.push_back(BlockOf(b));
        page.set("bloques", blocks);
        pages.push_back(page);
        Data entry;
        entry.set("titulo", Text(p.caption));
        entry.set("ancla", "pagina-" + std::to_string(p.page));
        index.push_back(entry);
    }
    data.set("paginas", pages);
    data.set("indice", index);
    return Page(request, "inventario", data, Format("Inventario %lld", static_cast<long long>(id)));
}

}  // namespace rb::service::console::pages
