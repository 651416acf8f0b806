// The PostgreSQL store's inventories once stored: reading them back, the list and its search,
// filing them again, and removing old ones.
#include <algorithm>

#include "service/store/postgres_rows.h"
#include "service/store/postgres_search.h"
#include "service/store/postgres_store.h"

namespace rb::service {

std::optional<Inventory> PostgresStore::GetInventory(int64_t id) {
    Lease c(*this);
    const pg::Result r =
        c->Exec(std::string("SELECT ") + pg::kInventoryColumns + "FROM inventories WHERE id = $1",
                pg::Params().Int(id));
    if (r.Rows() == 0) return std::nullopt;
    return pg::ReadInventory(r, 0);
}

std::optional<InventorySummary> PostgresStore::GetSummary(int64_t id) {
    Lease c(*this);
    const pg::Result r =
        c->Exec(std::string("SELECT ") + pg::kSummaryColumns + "FROM inventories i WHERE i.id = $1",
                pg::Params().Int(id));
    if (r.Rows() == 0) return std::nullopt;
    return pg::ReadSummary(r, 0);
}

std::vector<InventorySummary> PostgresStore::ListAll() {
    Lease c(*this);
    const pg::Result r =
        c->Exec(std::string("SELECT ") + pg::kSummaryColumns + "FROM inventories i ORDER BY i.id");
    std::vector<InventorySummary> rows;
    rows.reserve(r.Rows());
    for (int row = 0; row < r.Rows(); ++row) rows.push_back(pg::ReadSummary(r, row));
    return rows;
}

SummaryPage PostgresStore::Search(const InventoryQuery& query) {
    Lease c(*this);
    const pg::SearchTerms terms =
        pg::PostgresSearchTerms(query, query.program.empty() ? std::vector<int64_t>()
                                                             : pg::ProgramsLike(*c, query.program));
    const std::string from = "FROM inventories i" + terms.where;
    SummaryPage page;
    // The whole list's total is kept as inventories come and go; a search's is counted.
    page.total = terms.where.empty()
                     ? c->Exec("SELECT sum(inventories)::bigint FROM inventory_count").Int(0, 0)
                     : c->ExecOnce("SELECT count(*) " + from, terms.params).Int(0, 0);
    pg::Params params = terms.params;
    params.Int(pg::Limit(query.limit)).Int(std::max<int64_t>(query.offset, 0));
    const pg::Result r = c->ExecOnce(
        std::string("SELECT ") + pg::kSummaryColumns + from + pg::OrderOf(query) + " LIMIT $" +
            std::to_string(terms.next) + " OFFSET $" + std::to_string(terms.next + 1),
        params);
    for (int row = 0; row < r.Rows(); ++row) page.rows.push_back(pg::ReadSummary(r, row));
    return page;
}

int64_t PostgresStore::Refile(int version,
                              const std::function<InventoryFacts(const Inventory&)>& file,
                              const std::function<ChooseMachine(const InventoryFacts&)>& choose) {
    int64_t done = 0;
    for (int64_t after = 0;;) {
        std::vector<int64_t> batch;
        {
            Lease c(*this);
            const pg::Result r = c->Exec(
                "SELECT id FROM inventories WHERE facts_version < $1 AND id > $2 ORDER BY id"
                " LIMIT 100",
                pg::Params().Int(version).Int(after));
            for (int row = 0; row < r.Rows(); ++row) batch.push_back(r.Int(row, 0));
        }
        if (batch.empty()) return done;
        for (const int64_t id : batch) done += RefileOne(id, version, file, choose) ? 1 : 0;
        after = batch.back();
    }
}

// Files one inventory again, unless another service did meanwhile: its row stays locked
// until the new facts are written.
bool PostgresStore::RefileOne(int64_t id, int version,
                              const std::function<InventoryFacts(const Inventory&)>& file,
                              const std::function<ChooseMachine(const InventoryFacts&)>& choose) {
    const std::optional<Inventory> inventory = GetInventory(id);
    if (!inventory) return false;  // pruned meanwhile
    const InventoryFacts facts = file(*inventory);
    Lease c(*this);
    pg::Transaction transaction(*c);
    const pg::Result r = c->Exec(
        "SELECT machine_id FROM inventories WHERE id = $1 AND facts_version < $2 FOR UPDATE",
        pg::Params().Int(id).Int(version));
    if (r.Rows() == 0) return false;
    int64_t machine = r.Int(0, 0);
    if (machine == 0) machine = PlaceInMachine(*c, id, inventory->received, facts, choose(facts));
    const std::vector<int64_t> programs = pg::ProgramIds(*c, facts.programs);
    pg::ColumnValues columns;
    pg::AddFacts(columns, *inventory, facts, version, programs);
    columns.Int("machine_id", machine);
    const int where = columns.Next();
    c->Exec(columns.Update("inventories") + " WHERE id = $" + std::to_string(where),
            columns.Values().Int(id));
    transaction.Commit();
    return true;
}

std::vector<InventorySummary> PostgresStore::Prune(const std::string& before, bool keepLatest) {
    Lease c(*this);
    pg::Transaction transaction(*c);
    const pg::Result r = c->Exec(std::string("DELETE FROM inventories i WHERE i.received < $1") +
                                     (keepLatest ? " AND NOT EXISTS (SELECT 1 FROM machines m"
                                                   " WHERE m.last_inventory = i.id)"
                                                 : "") +
                                     " RETURNING " + pg::kSummaryColumns,
                                 pg::Params().Text(before));
    std::vector<InventorySummary> removed;
    std::vector<int64_t> machines;
    for (int row = 0; row < r.Rows(); ++row) {
        removed.push_back(pg::ReadSummary(r, row));
        if (removed.back().machineId != 0) machines.push_back(removed.back().machineId);
    }
    std::sort(removed.begin(), removed.end(),
              [](const InventorySummary& a, const InventorySummary& b) { return a.id < b.id; });
    std::sort(machines.begin(), machines.end());
    machines.erase(std::unique(machines.begin(), machines.end()), machines.end());
    // The machines are locked before they are counted again: an inventory another service
    // adds to one meanwhile is either counted here or counts itself after.
    const pg::Params ids = pg::Params().Ints(machines);
    c->Exec("SELECT id FROM machines WHERE id = ANY($1) ORDER BY id FOR UPDATE", ids);
    c->Exec(
        "UPDATE machines m SET inventories = s.n, first_inventory = s.first,"
        " last_inventory = s.last, last_received = s.received FROM"
        " (SELECT u.id, count(i.id) AS n, coalesce(min(i.id), 0) AS first,"
        " coalesce(max(i.id), 0) AS last, coalesce(max(i.received), '') AS received"
        " FROM unnest($1::bigint[]) AS u(id) LEFT JOIN inventories i ON i.machine_id = u.id"
        " GROUP BY u.id) s WHERE m.id = s.id",
        ids);
    c->Exec(
        "DELETE FROM machine_keys WHERE machine_id IN"
        " (SELECT id FROM machines WHERE id = ANY($1) AND inventories = 0)",
        ids);
    c->Exec("DELETE FROM machines WHERE id = ANY($1) AND inventories = 0", ids);
    std::vector<int64_t> gone;
    for (const InventorySummary& row : removed) gone.push_back(row.id);
    c->Exec("DELETE FROM inventory_changes WHERE inventory_id = ANY($1)", pg::Params().Ints(gone));
    c->Exec(
        "UPDATE inventory_count c SET inventories = inventories - g.n FROM"
        " (SELECT id % $2 AS slot, count(*) AS n FROM unnest($1::bigint[]) AS id GROUP BY 1) g"
        " WHERE c.slot = g.slot",
        pg::Params().Ints(gone).Int(pg::kCountSlots));
    transaction.Commit();
    return removed;
}

}  // namespace rb::service
