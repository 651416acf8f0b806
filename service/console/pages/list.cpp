// The inventory list: newest first, paged, searched and sorted by its columns; and the same
// search as a CSV file.
#include "core/cp1252.h"
#include "core/text.h"
#include "service/console/console.h"
#include "service/console/csv.h"
#include "service/console/list_query.h"
#include "service/console/render.h"

namespace rb::service::console::pages {
namespace {

const char* const kListPath = "/consola/inventarios";

std::string Link(const Values& search, const std::string& sort, const std::string& dir,
                 int64_t page) {
    Values values = search;
    if (!sort.empty()) values["orden"] = sort;
    if (!dir.empty()) values["dir"] = dir;
    if (page > 1) values["pagina"] = std::to_string(page);
    const std::string query = QueryText(values);
    return std::string(kListPath) + (query.empty() ? "" : "?" + query);
}

Data Columns(const Values& query, const Values& search) {
    const auto get = [&query](const char* name) {
        const auto it = query.find(name);
        return it == query.end() ? std::string() : it->second;
    };
    const std::string sort = get("orden").empty() ? "numero" : get("orden");
    const bool ascending = get("dir") == "asc";
    Data columns = List();
    for (const ListColumn& c : kListColumns) {
        Data column;
        column.set("titulo", Text(c.caption));
        const bool current = sort == c.key;
        // The current column turns its order round; another starts newest, largest first.
        column.set("enlace", Link(search, c.key, current && !ascending ? "asc" : "", 1));
        column.set("marca", current ? (ascending ? " \xE2\x96\xB2" : " \xE2\x96\xBC") : "");
        column.set("numero", c.number);
        columns.push_back(column);
    }
    return columns;
}

Data Rows(const SummaryPage& page) {
    Data rows = List();
    for (const InventorySummary& s : page.rows) {
        Data row;
        row.set("enlace", "/consola/inventarios/" + std::to_string(s.id));
        Data cells = List();
        for (const ListColumn& c : kListColumns) {
            Data cell;
            cell.set("texto", Text(c.text(s)));
            cell.set("numero", c.number);
            cells.push_back(cell);
        }
        row.set("celdas", cells);
        row.set("problemas", s.facts.problems > 0);
        rows.push_back(row);
    }
    return rows;
}

void AddPaging(const InventoryQuery& q, const SummaryPage& page, const Values& query,
               const Values& search, Data& data) {
    const auto get = [&query](const char* name) {
        const auto it = query.find(name);
        return it == query.end() ? std::string() : it->second;
    };
    const int64_t current = q.offset / q.limit + 1;
    const int64_t last = page.total == 0 ? 1 : (page.total + q.limit - 1) / q.limit;
    const int64_t first = page.rows.empty() ? 0 : q.offset + 1;
    data.set("resumen", Text(Format("%s–%s de %s", Grouped(first).c_str(),
                                    Grouped(q.offset + int64_t(page.rows.size())).c_str(),
                                    Grouped(page.total).c_str())));
    if (current > 1) data.set("anterior", Link(search, get("orden"), get("dir"), current - 1));
    if (current < last) data.set("siguiente", Link(search, get("orden"), get("dir"), current + 1));
    data.set("pagina",
             Text(Format("Página %s de %s", Grouped(current).c_str(), Grouped(last).c_str())));
}

}  // namespace

http::Response InventoryList(Console& console, const http::Request& request) {
    const Values query = QueryOf(request);
    std::string problem;
    const InventoryQuery q = QueryFrom(query, console.Options().pageSize, problem);
    const SummaryPage page = console.GetStore().Search(q);
    const Values search = SearchValues(query);
    Data data;
    Data form;
    for (const char* field : kSearchFields) {
        const auto it = query.find(field);
        form.set(field, it == query.end() ? std::string() : it->second);  // already UTF-8
    }
    form.set("conproblemas", q.withProblems);
    data.set("busqueda", form);
    data.set("columnas", Columns(query, search));
    data.set("filas", Rows(page));
    data.set("vacia", page.rows.empty());
    data.set("conproblema", !problem.empty());
    data.set("problema", Text(problem));
    const std::string csv = QueryText(search);
    data.set("csv", "/consola/inventarios.csv" + (csv.empty() ? std::string() : "?" + csv));
    AddPaging(q, page, query, search, data);
    return Page(request, "inventarios", data, "Inventarios");
}

// Every row of the search (in its order), one line each; downloads are recorded.
http::Response InventoryCsv(Console& console, const http::Request& request) {
    std::string problem;
    InventoryQuery q = QueryFrom(QueryOf(request), console.Options().pageSize, problem);
    q.offset = 0;
    q.limit = 100000;  // a file, not a page: large, but bounded
    const SummaryPage page = console.GetStore().Search(q);
    CsvWriter csv;
    std::vector<std::string> header;
    for (const ListColumn& c : kListColumns) header.push_back(Cp1252ToUtf8(c.caption));
    csv.Row(header);
    for (const InventorySummary& s : page.rows) {
        std::vector<std::string> cells;
        for (const ListColumn& c : kListColumns) {
            cells.push_back(c.number ? std::to_string(c.value(s)) : Cp1252ToUtf8(c.text(s)));
        }
        csv.Row(cells);
    }
    console.GetStore().Record({0, "", 0, request.identity.name, "descarga",
                               Format("lista CSV (%d filas)", int(page.rows.size())),
                               request.peer});
    http::Response response(200, "text/csv; charset=utf-8", csv.Text());
    response.SetHeader("Content-Disposition", "attachment; filename=\"inventarios.csv\"");
    response.SetHeader("Cache-Control", "no-store");
    response.SetHeader("X-Content-Type-Options", "nosniff");
    return response;
}

}  // namespace rb::service::console::pages
