#include "service/store/postgres_search.h"

#include <array>
#include <vector>

#include "core/cp1252.h"
#include "service/store/search_text.h"

namespace rb::service::pg {
namespace {

// What each sortable column sorts by, in SortColumn's order: the texts whose indexes hold their
// start sort by that start first, then by the whole text.
const std::array<std::vector<const char*>, 11> kSortKeys = {{
    {"i.id"},
    {"i.received"},
    {"substring(i.nombre from 1 for 200)", "i.nombre"},
    {"i.telefono"},
    {"substring(i.computer from 1 for 200)", "i.computer"},
    {"i.os"},
    {"i.cpu"},
    {"i.memory"},
    {"i.section_count"},
    {"i.problems"},
    {"i.xml_size"},
}};
static_assert(kSortKeys.size() == size_t(SortColumn::Size) + 1);

// The texts found in a search copy of the row itself.
const std::pair<const char*, std::string InventoryQuery::*> kTexts[] = {
    {"i.search_nombre", &InventoryQuery::nombre},
    {"i.search_telefono", &InventoryQuery::telefono},
    {"i.search_observaciones", &InventoryQuery::observaciones},
    {"i.search_computer", &InventoryQuery::computer},
    {"i.search_destino", &InventoryQuery::destino},
};

}  // namespace

SearchTerms PostgresSearchTerms(const InventoryQuery& query, const std::vector<int64_t>& programs) {
    SearchTerms terms;
    std::vector<std::string> conditions;
    const auto parameter = [&terms] { return "$" + std::to_string(terms.next++); };
    for (const auto& [column, member] : kTexts) {
        const std::string& value = query.*member;
        if (value.empty()) continue;
        conditions.push_back(std::string(column) + " LIKE " + parameter());
        terms.params.Text(LikeAnywhere(SearchCopy(value)));
    }
    if (!query.program.empty()) {
        conditions.push_back("i.program_ids && " + parameter() + "::integer[]");
        terms.params.Ints(programs);
    }
    if (!query.from.empty()) {
        conditions.push_back("i.received >= " + parameter());
        terms.params.Text(Cp1252ToUtf8(query.from) + " 00:00:00");
    }
    if (!query.to.empty()) {
        conditions.push_back("i.received <= " + parameter());
        terms.params.Text(Cp1252ToUtf8(query.to) + " 23:59:59");
    }
    if (query.withProblems) conditions.push_back("i.problems > 0");
    if (query.machineId != 0) {
        conditions.push_back("i.machine_id = " + parameter());
        terms.params.Int(query.machineId);
    }
    for (size_t i = 0; i < conditions.size(); ++i) {
        terms.where += (i == 0 ? " WHERE " : " AND ") + conditions[i];
    }
    return terms;
}

std::vector<int64_t> ProgramsLike(Connection& c, const std::string& program) {
    const Result r = c.ExecOnce("SELECT id FROM programs WHERE search_name LIKE $1 ORDER BY id",
                                Params().Text(LikeAnywhere(SearchCopy(program))));
    std::vector<int64_t> ids;
    for (int row = 0; row < r.Rows(); ++row) ids.push_back(r.Int(row, 0));
    return ids;
}

std::string OrderOf(const InventoryQuery& query) {
    const char* direction = query.descending ? " DESC" : " ASC";
    std::string order = " ORDER BY ";
    for (const char* key : kSortKeys[static_cast<size_t>(query.sort)]) {
        order += std::string(key) + direction + ", ";
    }
    return order + "i.id" + direction;
}

}  // namespace rb::service::pg
