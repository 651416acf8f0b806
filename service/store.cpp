#include "service/store.h"

#include <sqlite3.h>

#include <ctime>

#include "core/exception.h"
#include "core/text.h"

namespace rb::service {
namespace {

// Write-ahead logging lets `list` read while `serve` writes; FULL syncs every commit.
const char* const kSchema =
    "PRAGMA journal_mode=WAL;"
    "PRAGMA synchronous=FULL;"
    "CREATE TABLE IF NOT EXISTS inventories ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " received TEXT NOT NULL,"
    " peer TEXT NOT NULL,"
    " client_id TEXT NOT NULL,"
    " operation TEXT NOT NULL,"
    " nombre BLOB NOT NULL,"  // the header and the XML: code page 1252 bytes
    " telefono BLOB NOT NULL,"
    " observaciones BLOB NOT NULL,"
    " destino BLOB NOT NULL,"
    " xml BLOB NOT NULL,"
    " sections TEXT NOT NULL);"
    // A retried call is found among its client's rows.
    "CREATE INDEX IF NOT EXISTS inventories_client ON inventories (client_id);";

// Every column but the id, in the order ReadRow expects them after it.
const char* const kColumns =
    "received, peer, client_id, operation, nombre, telefono, observaciones, destino, xml, "
    "sections";

constexpr int kBusyTimeoutMs = 10000;

struct StatementCloser {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

[[noreturn]] void Fail(sqlite3* db, const char* what) {
    throw Exception(Format("%s: %s", what, db ? sqlite3_errmsg(db) : "sin memoria"));
}

Statement Prepare(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        Fail(db, "Base de datos");
    }
    return Statement(statement);
}

void BindText(sqlite3_stmt* s, int index, const std::string& text) {
    sqlite3_bind_text(s, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}
void BindBlob(sqlite3_stmt* s, int index, const std::string& bytes) {
    // A zero-length blob, not NULL, for an empty text.
    sqlite3_bind_blob64(s, index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                        SQLITE_TRANSIENT);
}
std::string Column(sqlite3_stmt* s, int index) {
    const void* data = sqlite3_column_blob(s, index);
    const int size = sqlite3_column_bytes(s, index);
    return data ? std::string(static_cast<const char*>(data), size) : std::string();
}

Inventory ReadRow(sqlite3_stmt* s) {
    Inventory row;
    row.id = sqlite3_column_int64(s, 0);
    row.received = Column(s, 1);
    row.peer = Column(s, 2);
    row.clientId = Column(s, 3);
    row.operation = Column(s, 4);
    row.header = THeader{Column(s, 5), Column(s, 6), Column(s, 7), Column(s, 8)};
    row.xml = Column(s, 9);
    row.sections = Column(s, 10);
    return row;
}

}  // namespace

void InventoryStore::Closer::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

InventoryStore::InventoryStore(const std::string& fileName) {
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    db_.reset(db);  // closed on every path, also when opening failed
    if (rc != SQLITE_OK) Fail(db, ("No se pudo abrir " + fileName).c_str());
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    if (sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) {
        Fail(db, ("No se pudo preparar " + fileName).c_str());
    }
}

InventoryStore::~InventoryStore() = default;

// The id of a row holding the very same call from the same client, or 0.
int64_t InventoryStore::FindSame(const Inventory& inventory) {
    const Statement s = Prepare(db_.get(),
                                "SELECT id FROM inventories WHERE client_id = ? AND operation = ?"
                                " AND nombre = ? AND telefono = ? AND observaciones = ?"
                                " AND destino = ? AND xml = ? ORDER BY id LIMIT 1");
    BindText(s.get(), 1, inventory.clientId);
    BindText(s.get(), 2, inventory.operation);
    BindBlob(s.get(), 3, inventory.header.Nombre);
    BindBlob(s.get(), 4, inventory.header.Telefono);
    BindBlob(s.get(), 5, inventory.header.Observaciones);
    BindBlob(s.get(), 6, inventory.header.Destino);
    BindBlob(s.get(), 7, inventory.xml);
    const int rc = sqlite3_step(s.get());
    if (rc == SQLITE_ROW) return sqlite3_column_int64(s.get(), 0);
    if (rc != SQLITE_DONE) Fail(db_.get(), "No se pudo guardar el inventario");
    return 0;
}

int64_t InventoryStore::Add(const Inventory& inventory) {
    std::lock_guard<std::mutex> lock(mutex_);
    // A client whose reply was lost posts the same call again: it gets the first receipt.
    if (const int64_t same = FindSame(inventory)) return same;
    const Statement s = Prepare(db_.get(), std::string("INSERT INTO inventories (") + kColumns +
                                               ") VALUES (?,?,?,?,?,?,?,?,?,?)");
    BindText(s.get(), 1, inventory.received);
    BindText(s.get(), 2, inventory.peer);
    BindText(s.get(), 3, inventory.clientId);
    BindText(s.get(), 4, inventory.operation);
    BindBlob(s.get(), 5, inventory.header.Nombre);
    BindBlob(s.get(), 6, inventory.header.Telefono);
    BindBlob(s.get(), 7, inventory.header.Observaciones);
    BindBlob(s.get(), 8, inventory.header.Destino);
    BindBlob(s.get(), 9, inventory.xml);
    BindText(s.get(), 10, inventory.sections);
    if (sqlite3_step(s.get()) != SQLITE_DONE) Fail(db_.get(), "No se pudo guardar el inventario");
    return sqlite3_last_insert_rowid(db_.get());
}

std::optional<Inventory> InventoryStore::Get(int64_t id) {
    std::lock_guard<std::mutex> lock(mutex_);
    const Statement s = Prepare(
        db_.get(), std::string("SELECT id, ") + kColumns + " FROM inventories WHERE id = ?");
    sqlite3_bind_int64(s.get(), 1, id);
    const int rc = sqlite3_step(s.get());
    if (rc == SQLITE_ROW) return ReadRow(s.get());
    if (rc != SQLITE_DONE) Fail(db_.get(), "No se pudo leer el inventario");
    return std::nullopt;
}

std::vector<InventorySummary> InventoryStore::List() {
    std::lock_guard<std::mutex> lock(mutex_);
    const Statement s = Prepare(db_.get(),
                                "SELECT id, received, peer, nombre, sections, length(xml) "
                                "FROM inventories ORDER BY id");
    std::vector<InventorySummary> rows;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        rows.push_back({sqlite3_column_int64(s.get(), 0), Column(s.get(), 1), Column(s.get(), 2),
                        Column(s.get(), 3), CountSections(Column(s.get(), 4)),
                        sqlite3_column_int64(s.get(), 5)});
    }
    if (rc != SQLITE_DONE) Fail(db_.get(), "No se pudo leer la lista");
    return rows;
}

std::string UtcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
    return text;
}

int CountSections(const std::string& sections) {
    int count = 0;
    bool inName = false;
    for (const char c : sections) {
        const bool separator = c == ',' || c == ' ' || c == '[' || c == ']';
        if (!separator && !inName) ++count;
        inName = !separator;
    }
    return count;
}

}  // namespace rb::service
