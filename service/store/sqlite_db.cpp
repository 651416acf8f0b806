#include "service/store/sqlite_db.h"

#include <sqlite3.h>

#include "core/exception.h"
#include "core/text.h"

namespace rb::service::sqlite {
namespace {

constexpr int kBusyTimeoutMs = 10000;

}  // namespace

void Statement::Finalizer::operator()(sqlite3_stmt* s) const {
    sqlite3_finalize(s);
}

Statement& Statement::Text(int index, std::string_view text) {
    sqlite3_bind_text64(statement_.get(), index, text.data(), text.size(), SQLITE_TRANSIENT,
                        SQLITE_UTF8);
    return *this;
}

Statement& Statement::Blob(int index, std::string_view bytes) {
    // A zero-length blob, not NULL, for an empty text.
    sqlite3_bind_blob64(statement_.get(), index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                        SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::Int(int index, int64_t value) {
    sqlite3_bind_int64(statement_.get(), index, value);
    return *this;
}

int Statement::Index(const char* name) const {
    const int index = sqlite3_bind_parameter_index(statement_.get(), name);
    if (index == 0) throw Exception(Format("Base de datos: falta el parámetro %s", name));
    return index;
}

bool Statement::Step() {
    const int rc = sqlite3_step(statement_.get());
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw Exception(Format("Base de datos: %s", sqlite3_errmsg(db_)));
}

void Statement::Run() {
    while (Step()) {
    }
}

Statement& Statement::Reset() {
    sqlite3_reset(statement_.get());
    sqlite3_clear_bindings(statement_.get());
    return *this;
}

std::string Statement::Column(int index) const {
    const void* data = sqlite3_column_blob(statement_.get(), index);
    const int size = sqlite3_column_bytes(statement_.get(), index);
    return data ? std::string(static_cast<const char*>(data), size) : std::string();
}

int64_t Statement::IntColumn(int index) const {
    return sqlite3_column_int64(statement_.get(), index);
}

bool Statement::IsNull(int index) const {
    return sqlite3_column_type(statement_.get(), index) == SQLITE_NULL;
}

void Database::Closer::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

Database::Database(const std::string& fileName) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(fileName.c_str(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
                                       SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    db_.reset(db);  // closed on every path, also when opening failed
    if (rc != SQLITE_OK) Fail(("No se pudo abrir " + fileName).c_str());
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
}

Statement Database::Prepare(std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_.get(), sql.data(), static_cast<int>(sql.size()), &statement,
                           nullptr) != SQLITE_OK) {
        Fail("Base de datos");
    }
    return Statement(db_.get(), statement);
}

void Database::Exec(const char* sql) {
    if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        Fail("Base de datos");
    }
}

int64_t Database::LastId() const {
    return sqlite3_last_insert_rowid(db_.get());
}

int Database::Changes() const {
    return sqlite3_changes(db_.get());
}

void Database::Fail(const char* what) const {
    throw Exception(Format("%s: %s", what, db_ ? sqlite3_errmsg(db_.get()) : "sin memoria"));
}

Transaction::Transaction(Database& db) : db_(db) {
    db_.Exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!done_) sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
    db_.Exec("COMMIT");
    done_ = true;
}

}  // namespace rb::service::sqlite
