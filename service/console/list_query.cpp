#include "service/console/list_query.h"

#include <cctype>

#include "core/text.h"
#include "service/console/render.h"

namespace rb::service::console {
namespace {

using S = InventorySummary;

bool IsDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    const int month = std::stoi(text.substr(5, 2)), day = std::stoi(text.substr(8, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

std::string Cp(const std::string& utf8) {
    std::string text;
    FromBrowser(utf8, text);
    return Trim(text);
}

}  // namespace

std::string MemoryText(int64_t bytes) {
    if (bytes <= 0) return "";
    const int64_t mib = (bytes + (1 << 19)) >> 20;
    if (mib >= 1024 && mib % 1024 == 0) return Grouped(mib / 1024) + " GB";
    return Grouped(mib) + " MB";
}

const std::array<ListColumn, 11> kListColumns = {{
    {"numero", "Nº", SortColumn::Id, [](const S& s) { return std::to_string(s.id); }, true,
     [](const S& s) { return s.id; }},
    {"recibido", "Recibido (UTC)", SortColumn::Received, [](const S& s) { return s.received; },
     false, nullptr},
    {"nombre", "Nombre", SortColumn::Nombre, [](const S& s) { return s.header.Nombre; }, false,
     nullptr},
    {"telefono", "Teléfono", SortColumn::Telefono, [](const S& s) { return s.header.Telefono; },
     false, nullptr},
    {"equipo", "Equipo", SortColumn::Computer, [](const S& s) { return s.facts.computer; },
     false, nullptr},
    {"sistema", "Sistema operativo", SortColumn::Os, [](const S& s) { return s.facts.os; }, false,
     nullptr},
    {"procesador", "Procesador", SortColumn::Cpu, [](const S& s) { return s.facts.cpu; }, false,
     nullptr},
    {"memoria", "Memoria", SortColumn::Memory,
     [](const S& s) { return MemoryText(s.facts.memoryBytes); }, true,
     [](const S& s) { return s.facts.memoryBytes; }},
    {"secciones", "Secciones", SortColumn::Sections,
     [](const S& s) { return std::to_string(s.facts.sectionCount); }, true,
     [](const S& s) { return int64_t(s.facts.sectionCount); }},
    {"problemas", "Problemas", SortColumn::Problems,
     [](const S& s) { return std::to_string(s.facts.problems); }, true,
     [](const S& s) { return int64_t(s.facts.problems); }},
    {"tamano", "Tamaño", SortColumn::Size,
     [](const S& s) { return Grouped((s.xmlSize + 1023) / 1024) + " KB"; }, true,
     [](const S& s) { return s.xmlSize; }},
}};

const std::array<const char*, 9> kSearchFields = {"nombre", "telefono", "observaciones",
                                                  "equipo", "programa", "destino",
                                                  "desde",  "hasta",    "problemas"};

InventoryQuery QueryFrom(const Values& v, int pageSize, std::string& problem) {
    const auto get = [&v](const char* name) {
        const auto it = v.find(name);
        return it == v.end() ? std::string() : it->second;
    };
    InventoryQuery q;
    q.nombre = Cp(get("nombre"));
    q.telefono = Cp(get("telefono"));
    q.observaciones = Cp(get("observaciones"));
    q.computer = Cp(get("equipo"));
    q.program = Cp(get("programa"));
    q.destino = Cp(get("destino"));
    for (auto [name, date] : {std::pair{"desde", &q.from}, std::pair{"hasta", &q.to}}) {
        const std::string text = Trim(get(name));
        if (IsDate(text)) {
            *date = text;
        } else if (!text.empty()) {
            problem = "Las fechas se escriben AAAA-MM-DD; se ha dejado de lado \"" + Cp(text) + "\"";
        }
    }
    q.withProblems = get("problemas") == "1";
    q.machineId = NumberIn(v, "maquina").value_or(0);
    for (const ListColumn& column : kListColumns) {
        if (get("orden") == column.key) q.sort = column.sort;
    }
    q.descending = get("dir") != "asc";
    q.limit = pageSize;
    const int64_t page = NumberIn(v, "pagina", 8).value_or(1);
    if (page > 1) q.offset = (page - 1) * pageSize;
    return q;
}

Values SearchValues(const Values& values) {
    Values search;
    for (const char* name : kSearchFields) {
        const auto it = values.find(name);
        if (it != values.end() && !it->second.empty()) search[name] = it->second;
    }
    if (const auto it = values.find("maquina"); it != values.end()) search["maquina"] = it->second;
    return search;
}

}  // namespace rb::service::console
