// Two inventories side by side: everything added, removed or changed from the first to the
// second, by section, with the old and new values. The second's previous inventory of its
// machine is preselected as the first.
#include "compare/change_text.h"
#include "core/exception.h"
#include "core/text.h"
#include "service/console/console.h"
#include "service/console/render.h"
#include "service/console/web.h"
#include "service/filing/changes.h"

namespace rb::service::console::pages {
namespace {

const char* KindMark(compare::ChangeKind kind) {
    switch (kind) {
        case compare::ChangeKind::Added: return "+";
        case compare::ChangeKind::Removed: return "\xE2\x88\x92";  // minus sign (UTF-8)
        case compare::ChangeKind::Changed: break;
    }
    return "\xE2\x89\xA0";  // not equal (UTF-8)
}

Data ChangesData(const compare::Difference& d) {
    Data sections = List();
    std::string current;
    Data rows = List();
    const auto flush = [&] {
        if (current.empty()) return;
        Data section;
        section.set("seccion", Text(compare::SectionCaption(current)));
        section.set("cambios", rows);
        sections.push_back(section);
        rows = List();
    };
    for (const compare::Change& c : d.changes) {
        if (c.section != current) {
            flush();
            current = c.section;
        }
        Data row;
        row.set("clase", compare::ChangeKindName(c.kind));
        row.set("marca", KindMark(c.kind));
        row.set("lista", Text(c.list));
        row.set("elemento", Text(c.item));
        row.set("propiedad", Text(c.property));
        row.set("antes", Text(c.oldValue));
        row.set("despues", Text(c.newValue));
        rows.push_back(row);
    }
    flush();
    return sections;
}

}  // namespace

http::Response Compare(Console& console, const http::Request& request) {
    const Values query = QueryOf(request);
    Store& store = console.GetStore();
    const int64_t after = NumberIn(query, "b").value_or(0);
    int64_t before = NumberIn(query, "a").value_or(0);
    const std::optional<InventorySummary> later = store.GetSummary(after);
    if (!later) return ErrorPage(request, 404, "Elija el inventario que quiere comparar.");
    if (before == 0) before = store.PreviousInventory(later->machineId, after);
    const std::optional<InventorySummary> earlier = store.GetSummary(before);
    if (!earlier) {
        return ErrorPage(request, 404, "Ese inventario es el primero de su máquina: no hay otro "
                                       "con el que compararlo.");
    }
    compare::DiffOptions options;
    options.includeVolatile = query.count("volatiles") > 0;
    Data data;
    try {
        const compare::Difference d = CompareStored(store, before, after, options);
        data.set("secciones", ChangesData(d));
        data.set("resumen", compare::ChangeSummaryUtf8(d.changes));
        data.set("sincambios", d.changes.empty());
        std::string skipped;
        for (const std::string& s : d.skippedSections) {
            skipped += (skipped.empty() ? "" : ", ") + compare::SectionCaption(s);
        }
        data.set("consaltadas", !skipped.empty());
        data.set("saltadas", Text(skipped));
    } catch (const Exception& e) {
        return ErrorPage(request, 422, e.what());
    }
    const auto describe = [](const InventorySummary& s) {
        return Format("Inventario %lld (%s, %s)", static_cast<long long>(s.id), s.received.c_str(),
                      s.header.Nombre.c_str());
    };
    data.set("a", std::to_string(before));
    data.set("b", std::to_string(after));
    data.set("antes", Text(describe(*earlier)));
    data.set("despues", Text(describe(*later)));
    data.set("enlacea", "/consola/inventarios/" + std::to_string(before));
    data.set("enlaceb", "/consola/inventarios/" + std::to_string(after));
    data.set("volatiles", options.includeVolatile);
    data.set("otramaquina", earlier->machineId != later->machineId);
    return Page(request, "comparar", data, "Comparación");
}

}  // namespace rb::service::console::pages
