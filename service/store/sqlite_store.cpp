#include "service/store/sqlite_store.h"

#include <algorithm>

#include "core/cp1252.h"
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
        if (version == 2) FileOlderRows(db);
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

// After the tables of version 2 exist: the content hash of every older row and the search
// copies of its header (its facts follow when the store is opened, see Refile), then the key
// that keeps a retried call from being stored twice. Rows that are already the same call
// (none should be) keep their place without a hash, so that nothing is lost.
void SqliteStore::FileOlderRows(sqlite::Database& db) {
    sqlite::Statement rows = db.Prepare(
        "SELECT i.id, i.client_id, i.operation, i.nombre, i.telefono, i.observaciones,"
        " i.destino, d.xml FROM inventories i JOIN inventory_documents d"
        " ON d.inventory_id = i.id ORDER BY i.id");
    sqlite::Statement same = db.Prepare(
        "SELECT 1 FROM inventories WHERE client_id = ? AND content_hash = ? LIMIT 1");
    sqlite::Statement update = db.Prepare("UPDATE inventories SET content_hash = ? WHERE id = ?");
    while (rows.Step()) {
        Inventory row;
        row.clientId = rows.Column(1);
        row.operation = rows.Column(2);
        row.header = THeader{rows.Column(3), rows.Column(4), rows.Column(5), rows.Column(6)};
        row.xml = rows.Column(7);
        WriteSearchCopies(db, rows.IntColumn(0), row.header, "", "");
        const std::string hash = ContentHash(row);
        if (same.Reset().Text(1, row.clientId).Blob(2, hash).Step()) continue;
        update.Reset().Blob(1, hash).Int(2, rows.IntColumn(0)).Run();
    }
    db.Exec("CREATE UNIQUE INDEX inventories_same ON inventories (client_id, content_hash)");
}

}  // namespace rb::service
