// A thin owner of one PostgreSQL connection (libpq), for the PostgreSQL store. Statements are
// sent with typed parameters and read back in binary form: texts and bytes as they are,
// numbers as numbers, never SQL made of values.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/exception.h"

struct pg_conn;
struct pg_result;

namespace rb::service::pg {

// A failed statement, with its SQLSTATE ("40P01" for a deadlock, "" when the connection went).
class Error : public Exception {
public:
    Error(const std::string& message, std::string state)
        : Exception(message), state_(std::move(state)) {}
    const std::string& State() const { return state_; }
    // A deadlock or a serialization failure: the transaction may simply be run again.
    bool Retryable() const { return state_ == "40P01" || state_ == "40001"; }

private:
    std::string state_;
};

// The parameters of one statement, $1 first.
class Params {
public:
    Params& Text(std::string_view text);                         // text (valid UTF-8, no NUL)
    Params& Bytes(std::string_view bytes);                       // bytea
    Params& Int(int64_t value);                                  // bigint
    Params& Ints(const std::vector<int64_t>& values);            // bigint[]
    Params& BytesArray(const std::vector<std::string>& values);  // bytea[]
    Params& TextArray(const std::vector<std::string>& values);   // text[]

private:
    friend class Connection;
    Params& Array(const std::vector<std::string>& elements, unsigned elementType,
                  unsigned arrayType);
    std::vector<std::string> values_;
    std::vector<unsigned> types_;
};

class Result {
public:
    int Rows() const;
    // Columns are numbered from 0: a value's bytes, and a whole number (0 for NULL).
    std::string Column(int row, int column) const;
    int64_t Int(int row, int column) const;
    bool IsNull(int row, int column) const;

private:
    friend class Connection;
    struct Clear {
        void operator()(pg_result* result) const;
    };
    explicit Result(pg_result* result) : result_(result) {}
    std::unique_ptr<pg_result, Clear> result_;
};

class Connection {
public:
    // Connects; raises with the server's reason (the address's password is not repeated).
    explicit Connection(std::string address);
    // One statement with its parameters, prepared on this connection the first time and run
    // as prepared after that (a few hundred statements at most; the rest are not kept).
    Result Exec(std::string_view sql, const Params& params = Params());
    // One statement planned for its very values each time (a search: the plan depends on
    // what is looked for).
    Result ExecOnce(std::string_view sql, const Params& params = Params());
    // Statements without parameters, one after the other (a schema step).
    void Run(const std::string& sql);
    // COPY ... FROM STDIN: `next` gives the data a piece at a time, false at the end.
    void CopyIn(const std::string& sql, const std::function<bool(std::string&)>& next);
    // Whether the connection still stands; Reconnect makes it anew.
    bool Ok() const;
    void Reconnect();

private:
    struct Finish {
        void operator()(pg_conn* connection) const;
    };
    void Connect();
    Result Check(pg_result* result);
    std::string address_;
    std::unique_ptr<pg_conn, Finish> connection_;
    std::map<std::string, std::string, std::less<>> prepared_;  // statement, its name
};

// BEGIN at construction (READ COMMITTED), ROLLBACK unless committed.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    Connection& connection_;
    bool done_ = false;
};

}  // namespace rb::service::pg
