#include "service/store/search_terms.h"

#include "service/store/search_text.h"

namespace rb::service {

std::string QuotedPhrase(const std::string& utf8) {
    std::string phrase = "\"";
    for (const char c : utf8) phrase += c == '"' ? std::string("\"\"") : std::string(1, c);
    return phrase + "\"";
}

int SearchTerms::Bind(sqlite::Statement& statement) const {
    int index = 1;
    for (const auto& value : values) {
        if (const auto* text = std::get_if<std::string>(&value)) {
            statement.Text(index++, *text);
        } else {
            statement.Int(index++, std::get<int64_t>(value));
        }
    }
    return index;
}

SearchTerms SqliteSearchTerms(const InventoryQuery& query) {
    SearchTerms terms;
    std::vector<std::string> conditions;
    std::string match;  // the index's query: column-phrase pairs joined by AND
    const std::pair<const char*, const std::string*> texts[] = {
        {"nombre", &query.nombre},     {"telefono", &query.telefono},
        {"observaciones", &query.observaciones}, {"computer", &query.computer},
        {"programs", &query.program},  {"destino", &query.destino},
    };
    for (const auto& [column, value] : texts) {
        if (value->empty()) continue;
        const std::string utf8 = SearchCopy(*value);
        terms.needsIndex = true;
        if (Letters(utf8) >= 3) {
            match += (match.empty() ? "" : " AND ") + std::string(column) + " : " +
                     QuotedPhrase(utf8);
        } else {
            conditions.push_back(std::string("s.") + column + " LIKE ? ESCAPE '\\'");
            terms.values.emplace_back(LikeAnywhere(utf8));
        }
    }
    if (!match.empty()) {
        conditions.insert(conditions.begin(), "s.inventory_search MATCH ?");
        terms.values.insert(terms.values.begin(), match);
    }
    if (!query.from.empty()) {
        conditions.push_back("i.received >= ?");
        terms.values.emplace_back(query.from + " 00:00:00");
    }
    if (!query.to.empty()) {
        conditions.push_back("i.received <= ?");
        terms.values.emplace_back(query.to + " 23:59:59");
    }
    if (query.withProblems) conditions.push_back("i.problems > 0");
    if (query.machineId != 0) {
        conditions.push_back("i.machine_id = ?");
        terms.values.emplace_back(query.machineId);
    }
    for (size_t i = 0; i < conditions.size(); ++i) {
        terms.where += (i == 0 ? " WHERE " : " AND ") + conditions[i];
    }
    return terms;
}

}  // namespace rb::service
