#include "service/store/postgres_db.h"

#include <libpq-fe.h>

#include "core/cp1252.h"

namespace rb::service::pg {
namespace {

// Type numbers of the parameters (pg_type).
constexpr Oid kBytea = 17, kInt8 = 20, kText = 25, kByteaArray = 1001, kTextArray = 1009,
              kInt8Array = 1016;

void Append32(std::string& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (24 - 8 * i));
}

void Append64(std::string& bytes, uint64_t value) {
    for (int i = 0; i < 8; ++i) bytes += static_cast<char>(value >> (56 - 8 * i));
}

// The error of a result or of the connection, in the store's words.
[[noreturn]] void Fail(PGconn* connection, const PGresult* result) {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    std::string message = result ? PQresultErrorMessage(result) : "";
    if (message.empty() && connection) message = PQerrorMessage(connection);
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    throw Error("Base de datos: " + Utf8ToCp1252(message), state ? state : "");
}

}  // namespace

Params& Params::Text(std::string_view text) {
    values_.emplace_back(text);
    types_.push_back(kText);
    return *this;
}

Params& Params::Bytes(std::string_view bytes) {
    values_.emplace_back(bytes);
    types_.push_back(kBytea);
    return *this;
}

Params& Params::Int(int64_t value) {
    std::string bytes;  // network order
    Append64(bytes, static_cast<uint64_t>(value));
    values_.push_back(std::move(bytes));
    types_.push_back(kInt8);
    return *this;
}

// An array in the server's binary form: dimensions, no NULLs, the element type, then each
// element with its length.
Params& Params::Array(const std::vector<std::string>& elements, unsigned elementType,
                      unsigned arrayType) {
    std::string bytes;
    Append32(bytes, elements.empty() ? 0 : 1);
    Append32(bytes, 0);
    Append32(bytes, elementType);
    if (!elements.empty()) {
        Append32(bytes, static_cast<uint32_t>(elements.size()));
        Append32(bytes, 1);
    }
    for (const std::string& element : elements) {
        Append32(bytes, static_cast<uint32_t>(element.size()));
        bytes += element;
    }
    values_.push_back(std::move(bytes));
    types_.push_back(arrayType);
    return *this;
}

Params& Params::Ints(const std::vector<int64_t>& values) {
    std::vector<std::string> elements;
    for (const int64_t value : values) {
        elements.emplace_back();
        Append64(elements.back(), static_cast<uint64_t>(value));
    }
    return Array(elements, kInt8, kInt8Array);
}

Params& Params::BytesArray(const std::vector<std::string>& values) {
    return Array(values, kBytea, kByteaArray);
}

Params& Params::TextArray(const std::vector<std::string>& values) {
    return Array(values, kText, kTextArray);
}

void Result::Clear::operator()(pg_result* result) const {
    PQclear(result);
}

int Result::Rows() const {
    return PQntuples(result_.get());
}

std::string Result::Column(int row, int column) const {
    return std::string(PQgetvalue(result_.get(), row, column),
                       PQgetlength(result_.get(), row, column));
}

int64_t Result::Int(int row, int column) const {
    const auto* bytes =
        reinterpret_cast<const unsigned char*>(PQgetvalue(result_.get(), row, column));
    const int length = PQgetlength(result_.get(), row, column);
    if (length == 0) return 0;         // NULL
    if (length == 1) return bytes[0];  // a boolean
    // smallint, integer or bigint, in network order, sign-extended.
    uint64_t value = bytes[0] & 0x80 ? ~uint64_t(0) : 0;
    for (int i = 0; i < length; ++i) value = value << 8 | bytes[i];
    return static_cast<int64_t>(value);
}

bool Result::IsNull(int row, int column) const {
    return PQgetisnull(result_.get(), row, column) != 0;
}

void Connection::Finish::operator()(pg_conn* connection) const {
    PQfinish(connection);
}

Connection::Connection(std::string address) : address_(std::move(address)) {
    Connect();
}

void Connection::Connect() {
    prepared_.clear();  // a new connection has none of them
    connection_.reset(PQconnectdb(address_.c_str()));
    if (!connection_) throw Error("Base de datos: sin memoria para conectar", "");
    if (PQstatus(connection_.get()) != CONNECTION_OK) {
        std::string reason = PQerrorMessage(connection_.get());
        while (!reason.empty() && reason.back() == '\n') reason.pop_back();
        connection_.reset();
        throw Error("No se pudo conectar con PostgreSQL: " + Utf8ToCp1252(reason), "");
    }
    // Texts travel as UTF-8 whatever the server's own setting; notices are not printed.
    PQsetClientEncoding(connection_.get(), "UTF8");
    PQsetNoticeProcessor(
        connection_.get(), [](void*, const char*) {}, nullptr);
}

bool Connection::Ok() const {
    return connection_ && PQstatus(connection_.get()) == CONNECTION_OK;
}

void Connection::Reconnect() {
    Connect();
}

namespace {

constexpr size_t kMostPrepared = 300;

// The parameters as libpq takes them: all in binary.
struct Values {
    explicit Values(const std::vector<std::string>& params) : lengths(params.size()) {
        for (size_t i = 0; i < params.size(); ++i) {
            data.push_back(params[i].data());
            lengths[i] = static_cast<int>(params[i].size());
        }
        formats.assign(params.size(), 1);
    }
    std::vector<const char*> data;
    std::vector<int> lengths, formats;
};

}  // namespace

Result Connection::Check(pg_result* raw) {
    Result result(raw);
    const ExecStatusType status = PQresultStatus(result.result_.get());
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        Fail(connection_.get(), result.result_.get());
    }
    return result;
}

Result Connection::Exec(std::string_view sql, const Params& params) {
    if (!connection_) Connect();
    auto known = prepared_.find(sql);
    if (known == prepared_.end()) {
        if (prepared_.size() >= kMostPrepared) return ExecOnce(sql, params);
        const std::string name = "k" + std::to_string(prepared_.size());
        Check(PQprepare(connection_.get(), name.c_str(), std::string(sql).c_str(),
                        static_cast<int>(params.types_.size()), params.types_.data()));
        known = prepared_.emplace(std::string(sql), name).first;
    }
    const Values values(params.values_);
    return Check(PQexecPrepared(connection_.get(), known->second.c_str(),
                                static_cast<int>(params.values_.size()), values.data.data(),
                                values.lengths.data(), values.formats.data(), 1));
}

Result Connection::ExecOnce(std::string_view sql, const Params& params) {
    if (!connection_) Connect();
    const Values values(params.values_);
    return Check(PQexecParams(connection_.get(), std::string(sql).c_str(),
                              static_cast<int>(params.values_.size()), params.types_.data(),
                              values.data.data(), values.lengths.data(), values.formats.data(), 1));
}

void Connection::Run(const std::string& sql) {
    if (!connection_) Connect();
    Result result(PQexec(connection_.get(), sql.c_str()));
    const ExecStatusType status = PQresultStatus(result.result_.get());
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        Fail(connection_.get(), result.result_.get());
    }
}

void Connection::CopyIn(const std::string& sql, const std::function<bool(std::string&)>& next) {
    if (!connection_) Connect();
    Result started(PQexec(connection_.get(), sql.c_str()));
    if (PQresultStatus(started.result_.get()) != PGRES_COPY_IN) {
        Fail(connection_.get(), started.result_.get());
    }
    std::string data;
    bool ok = true;
    while (ok && next(data)) {
        ok = PQputCopyData(connection_.get(), data.data(), static_cast<int>(data.size())) == 1;
        data.clear();
    }
    PQputCopyEnd(connection_.get(), ok ? nullptr : "interrumpida");
    for (;;) {
        Result result(PQgetResult(connection_.get()));
        if (!result.result_) break;
        if (PQresultStatus(result.result_.get()) != PGRES_COMMAND_OK) {
            Fail(connection_.get(), result.result_.get());
        }
    }
    if (!ok) Fail(connection_.get(), nullptr);
}

Transaction::Transaction(Connection& connection) : connection_(connection) {
    connection_.Run("BEGIN");
}

Transaction::~Transaction() {
    if (done_) return;
    try {
        if (connection_.Ok()) connection_.Run("ROLLBACK");
    } catch (const std::exception&) {
        // A connection that fails here is made anew before its next use.
    }
}

void Transaction::Commit() {
    connection_.Run("COMMIT");
    done_ = true;
}

}  // namespace rb::service::pg
