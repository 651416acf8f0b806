// The SQLite store's inventories: storing one exactly once, reading one back, the list and its
// search.
#include <array>

#include "core/exception.h"
#include "core/text.h"
#include "service/store/content_hash.h"
#include "service/store/search_terms.h"
#include "service/store/search_text.h"
#include "service/store/sqlite_store.h"

namespace rb::service {
namespace sqlite {

const char* const kSummaryColumns =
    "i.id, i.received, i.peer, i.nombre, i.telefono, i.observaciones, i.destino, i.sections,"
    " i.xml_size, i.computer, i.os, i.cpu, i.memory, i.problems, i.machine_id, i.section_count ";

InventorySummary ReadSummary(const sqlite::Statement& s) {
    InventorySummary row;
    row.id = s.IntColumn(0);
    row.received = s.Column(1);
    row.peer = s.Column(2);
    row.header = THeader{s.Column(3), s.Column(4), s.Column(5), s.Column(6)};
    row.sections = s.Column(7);
    row.xmlSize = s.IntColumn(8);
    row.facts.computer = s.Column(9);
    row.facts.os = s.Column(10);
    row.facts.cpu = s.Column(11);
    row.facts.memoryBytes = s.IntColumn(12);
    row.facts.problems = static_cast<int>(s.IntColumn(13));
    row.machineId = s.IntColumn(14);
    row.facts.sectionCount = static_cast<int>(s.IntColumn(15));
    return row;
}

}  // namespace sqlite

using sqlite::kSummaryColumns;
using sqlite::ReadSummary;

namespace {

// The sort columns, in SortColumn's order.
constexpr std::array<const char*, 11> kSortColumns = {
    "i.id", "i.received", "i.nombre", "i.telefono", "i.computer", "i.os", "i.cpu", "i.memory",
    "i.section_count", "i.problems", "i.xml_size"};
static_assert(kSortColumns.size() == size_t(SortColumn::Size) + 1);

}  // namespace

int64_t SqliteStore::AddInventory(const Inventory& inventory, const InventoryFacts& facts,
                                  const ChooseMachine& choose) {
    const std::string hash = ContentHash(inventory);
    Lease db(*this);
    sqlite::Transaction transaction(*db);
    // A client whose reply was lost posts the same call again: it gets the first receipt.
    sqlite::Statement same = db->Prepare(
        "SELECT id FROM inventories WHERE client_id = ? AND content_hash = ?");
    same.Text(1, inventory.clientId).Blob(2, hash);
    if (same.Step()) return same.IntColumn(0);
    const int64_t id = Insert(*db, inventory, facts, hash);
    PlaceInMachine(*db, id, inventory.received, facts, choose);
    transaction.Commit();
    return id;
}

int64_t SqliteStore::Insert(sqlite::Database& db, const Inventory& inventory,
                            const InventoryFacts& facts, const std::string& hash) {
    db.Prepare("INSERT INTO inventories (received, peer, client_id, operation, nombre, telefono,"
               " observaciones, destino, sections, content_hash) VALUES"
               " (:received, :peer, :client, :operation, :nombre, :telefono, :observaciones,"
               " :destino, :sections, :hash)")
        .Text(":received", inventory.received)
        .Text(":peer", inventory.peer)
        .Text(":client", inventory.clientId)
        .Text(":operation", inventory.operation)
        .Blob(":nombre", inventory.header.Nombre)
        .Blob(":telefono", inventory.header.Telefono)
        .Blob(":observaciones", inventory.header.Observaciones)
        .Blob(":destino", inventory.header.Destino)
        .Text(":sections", inventory.sections)
        .Blob(":hash", hash)
        .Run();
    const int64_t id = db.LastId();
    db.Prepare("INSERT INTO inventory_documents (inventory_id, xml) VALUES (?, ?)")
        .Int(1, id)
        .Blob(2, inventory.xml)
        .Run();
    WriteFacts(db, id, inventory, facts, facts.version);
    return id;
}

// The facts, and the search copies of the inventory's texts and of those found in its document.
void SqliteStore::WriteFacts(sqlite::Database& db, int64_t id, const Inventory& inventory,
                             const InventoryFacts& facts, int version) {
    db.Prepare("UPDATE inventories SET computer = :computer, os = :os, cpu = :cpu,"
               " memory = :memory, problems = :problems, section_count = :sections,"
               " xml_size = :size, facts_version = :version WHERE id = :id")
        .Blob(":computer", facts.computer)
        .Blob(":os", facts.os)
        .Blob(":cpu", facts.cpu)
        .Int(":memory", facts.memoryBytes)
        .Int(":problems", facts.problems)
        .Int(":sections", facts.sectionCount)
        .Int(":size", static_cast<int64_t>(inventory.xml.size()))
        .Int(":version", version)
        .Int(":id", id)
        .Run();
    WriteSearchCopies(db, id, inventory.header, SearchCopy(facts.computer),
                      SearchCopy(facts.programs));
}

std::optional<Inventory> SqliteStore::GetInventory(int64_t id) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(
        "SELECT i.id, i.received, i.peer, i.client_id, i.operation, i.nombre, i.telefono,"
        " i.observaciones, i.destino, d.xml, i.sections FROM inventories i"
        " JOIN inventory_documents d ON d.inventory_id = i.id WHERE i.id = ?");
    s.Int(1, id);
    if (!s.Step()) return std::nullopt;
    Inventory row;
    row.id = s.IntColumn(0);
    row.received = s.Column(1);
    row.peer = s.Column(2);
    row.clientId = s.Column(3);
    row.operation = s.Column(4);
    row.header = THeader{s.Column(5), s.Column(6), s.Column(7), s.Column(8)};
    row.xml = s.Column(9);
    row.sections = s.Column(10);
    return row;
}

std::optional<InventorySummary> SqliteStore::GetSummary(int64_t id) {
    Lease db(*this);
    sqlite::Statement s =
        db->Prepare(std::string("SELECT ") + kSummaryColumns + "FROM inventories i WHERE i.id = ?");
    s.Int(1, id);
    if (!s.Step()) return std::nullopt;
    return ReadSummary(s);
}

std::vector<InventorySummary> SqliteStore::ListAll() {
    Lease db(*this);
    sqlite::Statement s =
        db->Prepare(std::string("SELECT ") + kSummaryColumns + "FROM inventories i ORDER BY i.id");
    std::vector<InventorySummary> rows;
    while (s.Step()) rows.push_back(ReadSummary(s));
    return rows;
}

SummaryPage SqliteStore::Search(const InventoryQuery& query) {
    const SearchTerms terms = SqliteSearchTerms(query);
    const std::string from =
        std::string("FROM inventories i") +
        (terms.needsIndex ? " JOIN inventory_search s ON s.rowid = i.id" : "") + terms.where;
    const char* direction = query.descending ? " DESC" : " ASC";
    Lease db(*this);
    SummaryPage page;
    sqlite::Statement count = db->Prepare("SELECT count(*) " + from);
    terms.Bind(count);
    if (count.Step()) page.total = count.IntColumn(0);
    sqlite::Statement rows = db->Prepare(
        std::string("SELECT ") + kSummaryColumns + from + " ORDER BY " +
        kSortColumns[static_cast<size_t>(query.sort)] + direction + ", i.id" + direction +
        " LIMIT ? OFFSET ?");
    const int next = terms.Bind(rows);
    rows.Int(next, query.limit).Int(next + 1, query.offset);
    while (rows.Step()) page.rows.push_back(ReadSummary(rows));
    return page;
}

int64_t SqliteStore::Refile(int version,
                            const std::function<InventoryFacts(const Inventory&)>& file,
                            const std::function<ChooseMachine(const InventoryFacts&)>& choose) {
    int64_t done = 0;
    for (;;) {
        std::vector<std::pair<int64_t, int64_t>> batch;  // id, machine
        {
            Lease db(*this);
            sqlite::Statement s = db->Prepare(
                "SELECT id, machine_id FROM inventories WHERE facts_version < ? ORDER BY id "
                "LIMIT 100");
            s.Int(1, version);
            while (s.Step()) batch.emplace_back(s.IntColumn(0), s.IntColumn(1));
        }
        if (batch.empty()) return done;
        for (const auto& [id, machine] : batch) {
            const std::optional<Inventory> inventory = GetInventory(id);
            if (!inventory) continue;  // pruned meanwhile
            const InventoryFacts facts = file(*inventory);
            Lease db(*this);
            sqlite::Transaction transaction(*db);
            // Another service on the same file may have filed it meanwhile.
            sqlite::Statement still = db->Prepare(
                "SELECT 1 FROM inventories WHERE id = ? AND facts_version < ?");
            if (!still.Int(1, id).Int(2, version).Step()) continue;
            WriteFacts(*db, id, *inventory, facts, version);
            if (machine == 0) PlaceInMachine(*db, id, inventory->received, facts, choose(facts));
            transaction.Commit();
            ++done;
        }
    }
}

}  // namespace rb::service
