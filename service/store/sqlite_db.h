// A thin owner of one SQLite connection and its statements, for the SQLite store.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace rb::service::sqlite {

class Statement {
public:
    Statement(sqlite3* db, sqlite3_stmt* statement) : db_(db), statement_(statement) {}
    // Parameters are numbered from 1; texts are bound as text, bytes as blobs.
    Statement& Text(int index, std::string_view text);
    Statement& Blob(int index, std::string_view bytes);
    Statement& Int(int index, int64_t value);
    // The same by a parameter's name (":name"); a name the statement lacks raises.
    Statement& Text(const char* name, std::string_view text) { return Text(Index(name), text); }
    Statement& Blob(const char* name, std::string_view bytes) { return Blob(Index(name), bytes); }
    Statement& Int(const char* name, int64_t value) { return Int(Index(name), value); }
    // The next row (true) or the end (false); raises on an error.
    bool Step();
    // Runs a statement that gives no rows.
    void Run();
    // Ready to run again, with new parameters.
    Statement& Reset();
    // Columns are numbered from 0.
    std::string Column(int index) const;
    int64_t IntColumn(int index) const;
    bool IsNull(int index) const;

private:
    int Index(const char* name) const;
    struct Finalizer {
        void operator()(sqlite3_stmt* s) const;
    };
    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

class Database {
public:
    // Opens (creating) the file; raises with `fileName` in the message.
    explicit Database(const std::string& fileName);
    Statement Prepare(std::string_view sql);
    // Runs statements that give no rows, one after the other.
    void Exec(const char* sql);
    int64_t LastId() const;
    int Changes() const;
    sqlite3* Handle() const { return db_.get(); }
    [[noreturn]] void Fail(const char* what) const;

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

// BEGIN IMMEDIATE at construction, ROLLBACK unless committed.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    Database& db_;
    bool done_ = false;
};

}  // namespace rb::service::sqlite
