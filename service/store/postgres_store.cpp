#include "service/store/postgres_store.h"

#include <sodium.h>

#include <algorithm>

#include "core/text.h"
#include "service/store/content_hash.h"
#include "service/store/embedded.h"
#include "service/store/postgres_rows.h"

namespace rb::service {
namespace {

// The numbered steps that bring a store to the current schema.
const char* const kMigrations[] = {
    "postgres/001_store.sql",
};
constexpr int kSchemaVersion = sizeof kMigrations / sizeof kMigrations[0];

// The advisory lock that lets one service at a time take the schema's steps.
constexpr int64_t kSchemaLock = 0x4B45535452494E31;  // "KESTRIN1"

// Deadlocks and serialization failures are tried again, a few times.
constexpr int kTries = 4;

int VersionOf(pg::Connection& c) {
    if (c.Exec("SELECT to_regclass('schema_version') IS NOT NULL").Int(0, 0) == 0) return 0;
    const pg::Result r = c.Exec("SELECT version FROM schema_version");
    return r.Rows() ? static_cast<int>(r.Int(0, 0)) : 0;
}

}  // namespace

PostgresStore::Lease::Lease(PostgresStore& store) : store_(store) {
    std::unique_lock<std::mutex> lock(store_.mutex_);
    store_.returned_.wait(
        lock, [&] { return !store_.free_.empty() || store_.open_ < store_.connections_; });
    if (!store_.free_.empty()) {
        connection_ = std::move(store_.free_.back());
        store_.free_.pop_back();
        return;
    }
    ++store_.open_;
    lock.unlock();
    try {
        connection_ = std::make_unique<pg::Connection>(store_.address_);
    } catch (...) {
        lock.lock();
        --store_.open_;
        lock.unlock();
        store_.returned_.notify_one();
        throw;
    }
}

PostgresStore::Lease::~Lease() {
    {
        std::lock_guard<std::mutex> lock(store_.mutex_);
        if (connection_->Ok()) {
            store_.free_.push_back(std::move(connection_));
        } else {
            --store_.open_;  // the server dropped it: the next lease makes a new one
        }
    }
    store_.returned_.notify_one();
}

PostgresStore::PostgresStore(const std::string& address, int connections)
    : address_(address), connections_(std::max(1, connections)) {
    if (sodium_init() < 0) throw Exception("No se pudo iniciar libsodium");
    Lease c(*this);
    Upgrade(*c);
}

PostgresStore::~PostgresStore() = default;

// Services that start at once take turns; each finds the schema as the one before left it.
void PostgresStore::Upgrade(pg::Connection& c) {
    pg::Transaction transaction(c);
    c.Exec("SELECT pg_advisory_xact_lock($1)", pg::Params().Int(kSchemaLock));
    const int from = VersionOf(c);
    if (from > kSchemaVersion) {
        throw Exception(
            Format("La base de datos es de una versión posterior del servicio (%d)", from));
    }
    for (int version = from + 1; version <= kSchemaVersion; ++version) {
        c.Run(std::string(schema::EmbeddedFile(kMigrations[version - 1])));
    }
    if (from != kSchemaVersion) {
        c.Run(
            "CREATE TABLE IF NOT EXISTS schema_version (version integer NOT NULL);"
            "DELETE FROM schema_version;");
        c.Exec("INSERT INTO schema_version (version) VALUES ($1)",
               pg::Params().Int(kSchemaVersion));
    }
    transaction.Commit();
}

int PostgresStore::SchemaVersion() {
    Lease c(*this);
    return VersionOf(*c);
}

int64_t PostgresStore::AddInventory(const Inventory& inventory, const InventoryFacts& facts,
                                    const ChooseMachine& choose) {
    const std::string hash = ContentHash(inventory);
    for (int attempt = 1;; ++attempt) {
        try {
            return TryAdd(inventory, facts, choose, hash);
        } catch (const pg::Error& e) {
            if (!e.Retryable() || attempt == kTries) throw;
        }
    }
}

// A client whose reply was lost posts the same call again: it gets the first receipt. The
// unique key decides when two services receive it at the same moment: the second one's row
// is not written, and it answers the first one's number.
int64_t PostgresStore::TryAdd(const Inventory& inventory, const InventoryFacts& facts,
                              const ChooseMachine& choose, const std::string& hash) {
    Lease c(*this);
    const auto same = [&] {
        return c->Exec("SELECT id FROM inventories WHERE client_id = $1 AND content_hash = $2",
                       pg::Params().Bytes(inventory.clientId).Bytes(hash));
    };
    if (const pg::Result r = same(); r.Rows() > 0) return r.Int(0, 0);
    {
        pg::Transaction transaction(*c);
        const int64_t id =
            c->Exec("SELECT nextval(pg_get_serial_sequence('inventories', 'id'))").Int(0, 0);
        const int64_t machine = PlaceInMachine(*c, id, inventory.received, facts, choose);
        const std::vector<int64_t> programs = pg::ProgramIds(*c, facts.programs);
        pg::ColumnValues columns;
        columns.Int("id", id)
            .Text("received", inventory.received)
            .Bytes("peer", inventory.peer)
            .Bytes("client_id", inventory.clientId)
            .Bytes("operation", inventory.operation)
            .Bytes("nombre", inventory.header.Nombre)
            .Bytes("telefono", inventory.header.Telefono)
            .Bytes("observaciones", inventory.header.Observaciones)
            .Bytes("destino", inventory.header.Destino)
            .Bytes("xml", inventory.xml)
            .Bytes("sections", inventory.sections)
            .Bytes("content_hash", hash)
            .Int("machine_id", machine);
        pg::AddFacts(columns, inventory, facts, facts.version, programs);
        const pg::Result inserted =
            c->Exec(columns.Insert("inventories") +
                        " ON CONFLICT (client_id, content_hash) DO NOTHING RETURNING id",
                    columns.Values());
        if (inserted.Rows() == 1) {
            c->Exec("UPDATE inventory_count SET inventories = inventories + 1 WHERE slot = $1",
                    pg::Params().Int(id % pg::kCountSlots));
            transaction.Commit();
            return id;
        }
    }  // rolled back, with what it did to the machines
    if (const pg::Result r = same(); r.Rows() > 0) return r.Int(0, 0);
    throw pg::Error("Base de datos: el inventario repetido ya no está", "40001");
}

}  // namespace rb::service
