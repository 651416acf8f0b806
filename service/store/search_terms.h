// A search of the inventory list as the SQLite store asks it: the WHERE clause, made only of
// fixed pieces, and the values bound to its parameters. Texts are looked for in the search
// copies (search_text.h): those of three letters or more through the trigram index, shorter
// ones row by row.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "service/store/records.h"
#include "service/store/sqlite_db.h"

namespace rb::service {

struct SearchTerms {
    std::string where;        // "" or " WHERE ..."
    bool needsIndex = false;  // the clause reads the search index (as "s")
    std::vector<std::variant<std::string, int64_t>> values;

    // Binds the values from parameter 1; answers the next parameter's number.
    int Bind(sqlite::Statement& statement) const;
};

SearchTerms SqliteSearchTerms(const InventoryQuery& query);

// A text as one phrase of the index's query language: in double quotes, quotes doubled.
std::string QuotedPhrase(const std::string& utf8);

}  // namespace rb::service
