// A search of the inventory list as the PostgreSQL store asks it: the WHERE clause, made only of
// fixed pieces, and its parameters. Texts are looked for in the search copies (search_text.h)
// with LIKE, which their trigram indexes answer for three letters or more; a program within
// each program's own name (the names found first, then the inventories that list one).
#pragma once

#include <string>
#include <vector>

#include "service/store/postgres_db.h"
#include "service/store/records.h"

namespace rb::service::pg {

struct SearchTerms {
    std::string where;  // "" or " WHERE ..." ("i" being the inventories)
    Params params;
    int next = 1;  // the number of the parameter after them
};

// `programs`: for a search by program, the ids of the names that hold its text (ProgramsLike),
// so that the plan is made knowing them.
SearchTerms PostgresSearchTerms(const InventoryQuery& query,
                                const std::vector<int64_t>& programs = {});
std::vector<int64_t> ProgramsLike(Connection& c, const std::string& program);

// The ORDER BY of a query, the id breaking ties in the same direction.
std::string OrderOf(const InventoryQuery& query);

}  // namespace rb::service::pg
