// What the PostgreSQL store's files share: the columns of its rows, each named once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "service/store/postgres_db.h"
#include "service/store/records.h"

namespace rb::service::pg {

// Columns with their values, for one INSERT or UPDATE: the names and the parameters in step.
class ColumnValues {
public:
    ColumnValues& Text(const char* column, std::string_view value);
    ColumnValues& Bytes(const char* column, std::string_view value);
    ColumnValues& Int(const char* column, int64_t value);
    ColumnValues& Ints(const char* column, const std::vector<int64_t>& values);
    // "INSERT INTO table (a, b) VALUES ($1, $2)".
    std::string Insert(const char* table) const;
    // "UPDATE table SET a = $1, b = $2": the caller's WHERE takes parameters after these.
    std::string Update(const char* table) const;
    // The parameter number after these.
    int Next() const { return static_cast<int>(columns_.size()) + 1; }
    Params& Values() { return params_; }

private:
    std::vector<const char*> columns_;
    Params params_;
};

// The facts of an inventory and its search copies, as both a new row and a refiled one have
// them; `programs` are the ids of its programs' names (ProgramIds).
void AddFacts(ColumnValues& columns, const Inventory& inventory, const InventoryFacts& facts,
              int version, const std::vector<int64_t>& programs);

// The ids of these program names, those not seen before added (in one order for every
// service, so that two adding the same new names wait for each other instead of deadlocking).
std::vector<int64_t> ProgramIds(Connection& c, const std::vector<std::string>& programs);

// SHA-256 of a text (32 bytes): what B-trees hold of texts a client writes.
std::string Sha256(std::string_view bytes);

// The rows of inventory_count: an inventory counts in the one of its id modulo this.
constexpr int64_t kCountSlots = 16;

// A LIMIT as SQLite reads it: a negative one is no limit.
inline int64_t Limit(int64_t limit) {
    return limit < 0 ? INT64_MAX : limit;
}

// The columns of a summary ("i" being the inventories), and one row of them.
extern const char* const kSummaryColumns;
InventorySummary ReadSummary(const Result& result, int row);
// The columns of a whole inventory, and one row of them.
extern const char* const kInventoryColumns;
Inventory ReadInventory(const Result& result, int row);

}  // namespace rb::service::pg
