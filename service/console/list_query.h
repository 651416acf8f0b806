// The inventory list as the console shows, exports and serves it: its columns (named once, for
// the page, the CSV file and the API) and the search a request's query asks for.
#pragma once

#include <array>
#include <string>

#include "service/console/web.h"
#include "service/store/records.h"

namespace rb::service::console {

struct ListColumn {
    const char* key;      // the query's and the API's name ("equipo")
    const char* caption;  // code page 1252 ("Teléfono")
    SortColumn sort;
    std::string (*text)(const InventorySummary&);  // as the page shows it (code page 1252)
    bool number;          // right-aligned; the CSV and the API give the number itself
    int64_t (*value)(const InventorySummary&);     // the number, where `number`
};
extern const std::array<ListColumn, 11> kListColumns;

// The query values a search understands, in the order of the search form.
extern const std::array<const char*, 9> kSearchFields;

// The search a request's query asks for: filters, sort column and direction, page. `problem`
// says what was left out (a date that is not YYYY-MM-DD).
InventoryQuery QueryFrom(const Values& values, int pageSize, std::string& problem);

// The request's own query values that make the search (without the page and the sort), to
// build the links of the page.
Values SearchValues(const Values& values);

// Memory and sizes as the list shows them.
std::string MemoryText(int64_t bytes);

}  // namespace rb::service::console
