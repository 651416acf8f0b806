#include "service/store/sqlite_store.h"

#include <algorithm>
#include <ctime>

#include "core/exception.h"
#include "core/text.h"
#include "service/store/content_hash.h"
#include "service/store/embedded.h"

namespace rb::service {
namespace {

// The numbered steps that bring a store to the current schema. Version 1 is the store as the
// first service wrote it (without a version of its own).
const char* const kMigrations[] = {
    "sqlite/001_inventories.sql",
    "sqlite/002_console.sql",
};
constexpr int kSchemaVersion = sizeof kMigrations / sizeof kMigrations[0];
// Machines a key may lead to before it no longer identifies any.
constexpr int kSharedKey = 16;

bool HasTable(sqlite::Database& db, const char* name) {
    sqlite::Statement s = db.Prepare("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?");
    s.Text(1, name);
    return s.Step();
}

int VersionOf(sqlite::Database& db) {
    if (HasTable(db, "schema_version")) {
        sqlite::Statement s = db.Prepare("SELECT version FROM schema_version");
        return s.Step() ? static_cast<int>(s.IntColumn(0)) : 0;
    }
    return HasTable(db, "inventories") ? 1 : 0;
}

// After the columns of version 2 exist: the content hash of every older row, then the key that
// keeps a retried call from being stored twice. Rows that are already the same call (none
// should be) keep their place without a hash, so that nothing is lost.
void HashOlderRows(sqlite::Database& db) {
    sqlite::Statement rows = db.Prepare(
        "SELECT id, client_id, operation, nombre, telefono, observaciones, destino, xml "
        "FROM inventories ORDER BY id");
    sqlite::Statement same = db.Prepare(
        "SELECT 1 FROM inventories WHERE client_id = ? AND content_hash = ? LIMIT 1");
    sqlite::Statement update = db.Prepare("UPDATE inventories SET content_hash = ? WHERE id = ?");
    while (rows.Step()) {
        Inventory row;
        row.clientId = rows.Column(1);
        row.operation = rows.Column(2);
        row.header = THeader{rows.Column(3), rows.Column(4), rows.Column(5), rows.Column(6)};
        row.xml = rows.Column(7);
        const std::string hash = ContentHash(row);
        if (same.Reset().Text(1, row.clientId).Blob(2, hash).Step()) continue;
        update.Reset().Blob(1, hash).Int(2, rows.IntColumn(0)).Run();
    }
    db.Exec("CREATE UNIQUE INDEX inventories_same ON inventories (client_id, content_hash)");
}

}  // namespace

SqliteStore::Lease::Lease(SqliteStore& store) : store_(store) {
    std::unique_lock<std::mutex> lock(store_.mutex_);
    store_.returned_.wait(lock, [&] { return !store_.free_.empty(); });
    db_ = store_.free_.back();
    store_.free_.pop_back();
}

SqliteStore::Lease::~Lease() {
    {
        std::lock_guard<std::mutex> lock(store_.mutex_);
        store_.free_.push_back(db_);
    }
    store_.returned_.notify_one();
}

SqliteStore::SqliteStore(const std::string& fileName, int connections, bool durable) {
    // Each connection to ":memory:" would be a database of its own.
    if (fileName == ":memory:") connections = 1;
    for (int i = 0; i < std::max(1, connections); ++i) {
        auto db = std::make_unique<sqlite::Database>(fileName);
        // Write-ahead logging lets readers go on while one writer commits; FULL syncs every
        // commit.
        db->Exec("PRAGMA journal_mode=WAL; PRAGMA foreign_keys=OFF;");
        db->Exec(durable ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=OFF");
        if (i == 0) Upgrade(*db);
        free_.push_back(db.get());
        all_.push_back(std::move(db));
    }
}

SqliteStore::~SqliteStore() = default;

void SqliteStore::Upgrade(sqlite::Database& db) {
    sqlite::Transaction transaction(db);
    const int from = VersionOf(db);
    if (from > kSchemaVersion) {
        throw Exception(Format("La base de datos es de una versión posterior del servicio (%d)",
                               from));
    }
    for (int version = from + 1; version <= kSchemaVersion; ++version) {
        const std::string sql(schema::EmbeddedFile(kMigrations[version - 1]));
        db.Exec(sql.c_str());
        if (version == 2) HashOlderRows(db);
    }
    if (from != kSchemaVersion) {
        db.Exec("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL);"
                "DELETE FROM schema_version;");
        db.Prepare("INSERT INTO schema_version (version) VALUES (?)").Int(1, kSchemaVersion).Run();
    }
    transaction.Commit();
}

int SqliteStore::SchemaVersion() {
    Lease db(*this);
    return VersionOf(*db);
}

// The machine of a new inventory: among those that share one of its keys, the one `choose`
// picks, or a new one; its keys then lead to that machine too.
int64_t SqliteStore::PlaceInMachine(sqlite::Database& db, int64_t inventory,
                                    const std::string& received, const InventoryFacts& facts,
                                    const ChooseMachine& choose) {
    if (facts.identity.empty()) return 0;  // a document that could not be read
    std::vector<MachineCandidate> candidates;
    for (const std::string& key : facts.machineKeys) {
        // A value many machines share (one product identifier of a volume licence, a disk
        // serial of cloned computers) tells none of them apart: it finds no candidates.
        sqlite::Statement s = db.Prepare(
            "SELECT m.id, m.identity FROM machine_keys k JOIN machines m ON m.id = k.machine_id "
            "WHERE k.key = ? ORDER BY m.id LIMIT ?");
        s.Blob(1, key).Int(2, kSharedKey + 1);
        std::vector<MachineCandidate> found;
        while (s.Step()) found.push_back({s.IntColumn(0), s.Column(1)});
        if (found.size() > size_t(kSharedKey)) continue;
        for (MachineCandidate& c : found) {
            if (std::none_of(candidates.begin(), candidates.end(),
                             [&c](const MachineCandidate& k) { return k.id == c.id; })) {
                candidates.push_back(std::move(c));
            }
        }
    }
    int64_t machine = choose ? choose(candidates) : 0;
    if (machine == 0) {
        db.Prepare("INSERT INTO machines (identity, computer, first_inventory, last_inventory,"
                   " last_received, inventories) VALUES (:identity, :computer, :inventory,"
                   " :inventory, :received, 1)")
            .Blob(":identity", facts.identity)
            .Blob(":computer", facts.computer)
            .Int(":inventory", inventory)
            .Text(":received", received)
            .Run();
        machine = db.LastId();
    } else {
        db.Prepare("UPDATE machines SET identity = :identity, computer = :computer,"
                   " last_inventory = max(last_inventory, :inventory),"
                   " last_received = max(last_received, :received),"
                   " inventories = inventories + 1 WHERE id = :id")
            .Blob(":identity", facts.identity)
            .Blob(":computer", facts.computer)
            .Int(":inventory", inventory)
            .Text(":received", received)
            .Int(":id", machine)
            .Run();
    }
    for (const std::string& key : facts.machineKeys) {
        db.Prepare("INSERT OR IGNORE INTO machine_keys (key, machine_id) VALUES (?, ?)")
            .Blob(1, key)
            .Int(2, machine)
            .Run();
    }
    db.Prepare("UPDATE inventories SET machine_id = ? WHERE id = ?").Int(1, machine).Int(2, inventory).Run();
    return machine;
}

namespace {

MachineRecord ReadMachine(sqlite::Statement& s) {
    return MachineRecord{s.IntColumn(0), s.Column(1), s.IntColumn(2), s.IntColumn(3),
                         s.Column(4), s.IntColumn(5)};
}

const char* const kMachineColumns =
    "SELECT id, computer, first_inventory, last_inventory, last_received, inventories "
    "FROM machines ";

}  // namespace

std::optional<MachineRecord> SqliteStore::GetMachine(int64_t id) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(std::string(kMachineColumns) + "WHERE id = ?");
    s.Int(1, id);
    if (!s.Step()) return std::nullopt;
    return ReadMachine(s);
}

std::vector<MachineRecord> SqliteStore::ListMachines(int64_t offset, int limit) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(std::string(kMachineColumns) +
                                      "ORDER BY last_received DESC, id DESC LIMIT ? OFFSET ?");
    s.Int(1, limit).Int(2, offset);
    std::vector<MachineRecord> machines;
    while (s.Step()) machines.push_back(ReadMachine(s));
    return machines;
}

int64_t SqliteStore::PreviousInventory(int64_t machineId, int64_t beforeId) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(
        "SELECT max(id) FROM inventories WHERE machine_id = ? AND id < ? AND machine_id <> 0");
    s.Int(1, machineId).Int(2, beforeId);
    return s.Step() ? s.IntColumn(0) : 0;
}

void SqliteStore::SaveChanges(const ChangeRecord& r) {
    Lease db(*this);
    db->Prepare("INSERT OR REPLACE INTO inventory_changes (inventory_id, previous_id, machine_id,"
                " received, changes, summary, version) VALUES (?, ?, ?, ?, ?, ?, ?)")
        .Int(1, r.inventoryId)
        .Int(2, r.previousId)
        .Int(3, r.machineId)
        .Text(4, r.received)
        .Int(5, r.changes)
        .Blob(6, r.summary)
        .Int(7, r.version)
        .Run();
}

namespace {

const char* const kChangeColumns =
    "SELECT inventory_id, previous_id, machine_id, received, changes, summary, version"
    " FROM inventory_changes ";

std::vector<ChangeRecord> ReadChanges(sqlite::Statement& s) {
    std::vector<ChangeRecord> records;
    while (s.Step()) {
        records.push_back({s.IntColumn(0), s.IntColumn(1), s.IntColumn(2), s.Column(3),
                           static_cast<int>(s.IntColumn(4)), s.Column(5),
                           static_cast<int>(s.IntColumn(6))});
    }
    return records;
}

}  // namespace

std::vector<ChangeRecord> SqliteStore::ChangesOf(int64_t machineId) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(std::string(kChangeColumns) +
                                      "WHERE machine_id = ? ORDER BY inventory_id DESC");
    s.Int(1, machineId);
    return ReadChanges(s);
}

std::vector<ChangeRecord> SqliteStore::ChangesSince(const std::string& since, int limit) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(
        std::string(kChangeColumns) +
        "WHERE received >= ? AND changes > 0 ORDER BY received DESC, inventory_id DESC LIMIT ?");
    s.Text(1, since).Int(2, limit);
    return ReadChanges(s);
}

std::unique_ptr<Store> OpenStore(const std::string& address) {
    const std::string prefix = "sqlite:";
    if (address.compare(0, prefix.size(), prefix) == 0) {
        return std::make_unique<SqliteStore>(address.substr(prefix.size()));
    }
    if (address.find("://") != std::string::npos) {
        throw Exception("Dirección de base de datos no admitida: " + address);
    }
    return std::make_unique<SqliteStore>(address);
}

std::string UtcText(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
    return text;
}

int64_t NowSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

std::string UtcNow() {
    return UtcText(NowSeconds());
}

}  // namespace rb::service
