// The PostgreSQL store's accounts, sessions, API tokens and audit log.
#include "service/store/postgres_rows.h"
#include "service/store/postgres_store.h"

namespace rb::service {
namespace {

const char* const kAccountColumns =
    "SELECT id, name, role, password_hash, disabled, created FROM accounts ";
const char* const kSessionColumns =
    "SELECT token_hash, account_id, csrf, created, last_seen FROM sessions ";
const char* const kTokenColumns = "SELECT id, account_id, label, token_hash, created FROM tokens ";

Account ReadAccount(const pg::Result& r, int row) {
    return Account{r.Int(row, 0),    r.Column(row, 1),   RoleNamed(r.Column(row, 2)).value_or(Role::Lectura),
                   r.Column(row, 3), r.Int(row, 4) != 0, r.Column(row, 5)};
}

TokenRecord ReadToken(const pg::Result& r, int row) {
    return TokenRecord{r.Int(row, 0), r.Int(row, 1), r.Column(row, 2), r.Column(row, 3),
                       r.Column(row, 4)};
}

}  // namespace

// The unique name decides, also between two services adding the same name at once.
int64_t PostgresStore::AddAccount(const Account& account) {
    Lease c(*this);
    pg::ColumnValues columns;
    columns.Bytes("name", account.name)
        .Text("role", RoleName(account.role))
        .Bytes("password_hash", account.passwordHash)
        .Int("disabled", account.disabled ? 1 : 0)
        .Text("created", account.created.empty() ? UtcNow() : account.created);
    const pg::Result r =
        c->Exec(columns.Insert("accounts") + " ON CONFLICT (name) DO NOTHING RETURNING id",
                columns.Values());
    if (r.Rows() == 0) throw Exception("Ya existe una cuenta con el nombre " + account.name);
    return r.Int(0, 0);
}

std::optional<Account> PostgresStore::FindAccount(const std::string& name) {
    Lease c(*this);
    const pg::Result r =
        c->Exec(std::string(kAccountColumns) + "WHERE name = $1", pg::Params().Bytes(name));
    if (r.Rows() == 0) return std::nullopt;
    return ReadAccount(r, 0);
}

std::optional<Account> PostgresStore::GetAccount(int64_t id) {
    Lease c(*this);
    const pg::Result r =
        c->Exec(std::string(kAccountColumns) + "WHERE id = $1", pg::Params().Int(id));
    if (r.Rows() == 0) return std::nullopt;
    return ReadAccount(r, 0);
}

std::vector<Account> PostgresStore::ListAccounts() {
    Lease c(*this);
    const pg::Result r = c->Exec(std::string(kAccountColumns) + "ORDER BY name");
    std::vector<Account> accounts;
    for (int row = 0; row < r.Rows(); ++row) accounts.push_back(ReadAccount(r, row));
    return accounts;
}

void PostgresStore::UpdateAccount(const Account& account) {
    Lease c(*this);
    c->Exec("UPDATE accounts SET role = $1, password_hash = $2, disabled = $3 WHERE id = $4",
            pg::Params()
                .Text(RoleName(account.role))
                .Bytes(account.passwordHash)
                .Int(account.disabled ? 1 : 0)
                .Int(account.id));
}

void PostgresStore::AddSession(const SessionRecord& session) {
    Lease c(*this);
    pg::ColumnValues columns;
    columns.Bytes("token_hash", session.tokenHash)
        .Int("account_id", session.accountId)
        .Bytes("csrf", session.csrf)
        .Int("created", session.created)
        .Int("last_seen", session.lastSeen);
    c->Exec(columns.Insert("sessions"), columns.Values());
}

std::optional<SessionRecord> PostgresStore::FindSession(const std::string& tokenHash) {
    Lease c(*this);
    const pg::Result r = c->Exec(std::string(kSessionColumns) + "WHERE token_hash = $1",
                                 pg::Params().Bytes(tokenHash));
    if (r.Rows() == 0) return std::nullopt;
    return SessionRecord{r.Column(0, 0), r.Int(0, 1), r.Column(0, 2), r.Int(0, 3), r.Int(0, 4)};
}

void PostgresStore::TouchSession(const std::string& tokenHash, int64_t now) {
    Lease c(*this);
    c->Exec("UPDATE sessions SET last_seen = $1 WHERE token_hash = $2",
            pg::Params().Int(now).Bytes(tokenHash));
}

void PostgresStore::DeleteSession(const std::string& tokenHash) {
    Lease c(*this);
    c->Exec("DELETE FROM sessions WHERE token_hash = $1", pg::Params().Bytes(tokenHash));
}

void PostgresStore::DeleteSessions(int64_t lastSeenBefore, int64_t accountId) {
    Lease c(*this);
    c->Exec("DELETE FROM sessions WHERE last_seen < $1 OR account_id = $2",
            pg::Params().Int(lastSeenBefore).Int(accountId > 0 ? accountId : -1));
}

int64_t PostgresStore::AddToken(const TokenRecord& token) {
    Lease c(*this);
    pg::ColumnValues columns;
    columns.Int("account_id", token.accountId)
        .Bytes("label", token.label)
        .Bytes("token_hash", token.tokenHash)
        .Text("created", token.created.empty() ? UtcNow() : token.created);
    return c->Exec(columns.Insert("tokens") + " RETURNING id", columns.Values()).Int(0, 0);
}

std::optional<TokenRecord> PostgresStore::FindToken(const std::string& tokenHash) {
    Lease c(*this);
    const pg::Result r = c->Exec(std::string(kTokenColumns) + "WHERE token_hash = $1",
                                 pg::Params().Bytes(tokenHash));
    if (r.Rows() == 0) return std::nullopt;
    return ReadToken(r, 0);
}

std::vector<TokenRecord> PostgresStore::ListTokens(int64_t accountId) {
    Lease c(*this);
    const pg::Result r = c->Exec(std::string(kTokenColumns) + "WHERE account_id = $1 ORDER BY id",
                                 pg::Params().Int(accountId));
    std::vector<TokenRecord> tokens;
    for (int row = 0; row < r.Rows(); ++row) tokens.push_back(ReadToken(r, row));
    return tokens;
}

void PostgresStore::DeleteToken(int64_t id) {
    Lease c(*this);
    c->Exec("DELETE FROM tokens WHERE id = $1", pg::Params().Int(id));
}

void PostgresStore::Record(const AuditEntry& entry) {
    Lease c(*this);
    const int64_t at = entry.atSeconds ? entry.atSeconds : NowSeconds();
    pg::ColumnValues columns;
    columns.Text("at", UtcText(at))
        .Int("at_seconds", at)
        .Bytes("account", entry.account)
        .Bytes("action", entry.action)
        .Bytes("detail", entry.detail)
        .Bytes("peer", entry.peer);
    c->Exec(columns.Insert("audit"), columns.Values());
}

std::vector<AuditEntry> PostgresStore::Audit(int limit) {
    Lease c(*this);
    const pg::Result r = c->Exec(
        "SELECT id, at, at_seconds, account, action, detail, peer FROM audit"
        " ORDER BY id DESC LIMIT $1",
        pg::Params().Int(pg::Limit(limit)));
    std::vector<AuditEntry> entries;
    for (int row = 0; row < r.Rows(); ++row) {
        entries.push_back({r.Int(row, 0), r.Column(row, 1), r.Int(row, 2), r.Column(row, 3),
                           r.Column(row, 4), r.Column(row, 5), r.Column(row, 6)});
    }
    return entries;
}

Store::Recent PostgresStore::RecentEntries(const std::string& action, const std::string& account,
                                           int64_t sinceSeconds) {
    Lease c(*this);
    const pg::Result r = c->Exec(
        "SELECT count(*), coalesce(max(at_seconds), 0) FROM audit"
        " WHERE action = $1 AND account = $2 AND at_seconds >= $3",
        pg::Params().Bytes(action).Bytes(account).Int(sinceSeconds));
    return Recent{static_cast<int>(r.Int(0, 0)), r.Int(0, 1)};
}

}  // namespace rb::service
