// The SQLite store's accounts, sessions, API tokens and audit log.
#include "core/exception.h"
#include "service/store/sqlite_store.h"

namespace rb::service {
namespace {

const char* const kAccountColumns =
    "SELECT id, name, role, password_hash, disabled, created FROM accounts ";

Account ReadAccount(const sqlite::Statement& s) {
    return Account{s.IntColumn(0), s.Column(1), RoleNamed(s.Column(2)).value_or(Role::Lectura), s.Column(3),
                   s.IntColumn(4) != 0, s.Column(5)};
}

}  // namespace

int64_t SqliteStore::AddAccount(const Account& account) {
    Lease db(*this);
    sqlite::Transaction transaction(*db);
    sqlite::Statement taken = db->Prepare("SELECT 1 FROM accounts WHERE name = ?");
    if (taken.Blob(1, account.name).Step()) {
        throw Exception("Ya existe una cuenta con el nombre " + account.name);
    }
    db->Prepare("INSERT INTO accounts (name, role, password_hash, disabled, created)"
                " VALUES (?, ?, ?, ?, ?)")
        .Blob(1, account.name)
        .Text(2, RoleName(account.role))
        .Text(3, account.passwordHash)
        .Int(4, account.disabled)
        .Text(5, account.created.empty() ? UtcNow() : account.created)
        .Run();
    const int64_t id = db->LastId();
    transaction.Commit();
    return id;
}

std::optional<Account> SqliteStore::FindAccount(const std::string& name) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(std::string(kAccountColumns) + "WHERE name = ?");
    if (!s.Blob(1, name).Step()) return std::nullopt;
    return ReadAccount(s);
}

std::optional<Account> SqliteStore::GetAccount(int64_t id) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(std::string(kAccountColumns) + "WHERE id = ?");
    if (!s.Int(1, id).Step()) return std::nullopt;
    return ReadAccount(s);
}

std::vector<Account> SqliteStore::ListAccounts() {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(std::string(kAccountColumns) + "ORDER BY name");
    std::vector<Account> accounts;
    while (s.Step()) accounts.push_back(ReadAccount(s));
    return accounts;
}

void SqliteStore::UpdateAccount(const Account& account) {
    Lease db(*this);
    db->Prepare("UPDATE accounts SET role = ?, password_hash = ?, disabled = ? WHERE id = ?")
        .Text(1, RoleName(account.role))
        .Text(2, account.passwordHash)
        .Int(3, account.disabled)
        .Int(4, account.id)
        .Run();
}

void SqliteStore::AddSession(const SessionRecord& session) {
    Lease db(*this);
    db->Prepare("INSERT INTO sessions (token_hash, account_id, csrf, created, last_seen)"
                " VALUES (?, ?, ?, ?, ?)")
        .Blob(1, session.tokenHash)
        .Int(2, session.accountId)
        .Text(3, session.csrf)
        .Int(4, session.created)
        .Int(5, session.lastSeen)
        .Run();
}

std::optional<SessionRecord> SqliteStore::FindSession(const std::string& tokenHash) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(
        "SELECT token_hash, account_id, csrf, created, last_seen FROM sessions"
        " WHERE token_hash = ?");
    if (!s.Blob(1, tokenHash).Step()) return std::nullopt;
    return SessionRecord{s.Column(0), s.IntColumn(1), s.Column(2), s.IntColumn(3),
                         s.IntColumn(4)};
}

void SqliteStore::TouchSession(const std::string& tokenHash, int64_t now) {
    Lease db(*this);
    db->Prepare("UPDATE sessions SET last_seen = ? WHERE token_hash = ?")
        .Int(1, now)
        .Blob(2, tokenHash)
        .Run();
}

void SqliteStore::DeleteSession(const std::string& tokenHash) {
    Lease db(*this);
    db->Prepare("DELETE FROM sessions WHERE token_hash = ?").Blob(1, tokenHash).Run();
}

void SqliteStore::DeleteSessions(int64_t lastSeenBefore, int64_t accountId) {
    Lease db(*this);
    db->Prepare("DELETE FROM sessions WHERE last_seen < ? OR account_id = ?")
        .Int(1, lastSeenBefore)
        .Int(2, accountId > 0 ? accountId : -1)
        .Run();
}

int64_t SqliteStore::AddToken(const TokenRecord& token) {
    Lease db(*this);
    db->Prepare("INSERT INTO tokens (account_id, label, token_hash, created) VALUES (?, ?, ?, ?)")
        .Int(1, token.accountId)
        .Blob(2, token.label)
        .Blob(3, token.tokenHash)
        .Text(4, token.created.empty() ? UtcNow() : token.created)
        .Run();
    return db->LastId();
}

std::optional<TokenRecord> SqliteStore::FindToken(const std::string& tokenHash) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(
        "SELECT id, account_id, label, token_hash, created FROM tokens WHERE token_hash = ?");
    if (!s.Blob(1, tokenHash).Step()) return std::nullopt;
    return TokenRecord{s.IntColumn(0), s.IntColumn(1), s.Column(2), s.Column(3), s.Column(4)};
}

std::vector<TokenRecord> SqliteStore::ListTokens(int64_t accountId) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(
        "SELECT id, account_id, label, token_hash, created FROM tokens WHERE account_id = ?"
        " ORDER BY id");
    s.Int(1, accountId);
    std::vector<TokenRecord> tokens;
    while (s.Step()) {
        tokens.push_back({s.IntColumn(0), s.IntColumn(1), s.Column(2), s.Column(3), s.Column(4)});
    }
    return tokens;
}

void SqliteStore::DeleteToken(int64_t id) {
    Lease db(*this);
    db->Prepare("DELETE FROM tokens WHERE id = ?").Int(1, id).Run();
}

void SqliteStore::Record(const AuditEntry& entry) {
    Lease db(*this);
    const int64_t at = entry.atSeconds ? entry.atSeconds : NowSeconds();
    db->Prepare("INSERT INTO audit (at, at_seconds, account, action, detail, peer)"
                " VALUES (?, ?, ?, ?, ?, ?)")
        .Text(1, UtcText(at))
        .Int(2, at)
        .Blob(3, entry.account)
        .Text(4, entry.action)
        .Blob(5, entry.detail)
        .Text(6, entry.peer)
        .Run();
}

std::vector<AuditEntry> SqliteStore::Audit(int limit) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(
        "SELECT id, at, at_seconds, account, action, detail, peer FROM audit"
        " ORDER BY id DESC LIMIT ?");
    s.Int(1, limit);
    std::vector<AuditEntry> entries;
    while (s.Step()) {
        entries.push_back({s.IntColumn(0), s.Column(1), s.IntColumn(2), s.Column(3), s.Column(4),
                           s.Column(5), s.Column(6)});
    }
    return entries;
}

Store::Recent SqliteStore::RecentEntries(const std::string& action, const std::string& account,
                                         int64_t sinceSeconds) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(
        "SELECT count(*), coalesce(max(at_seconds), 0) FROM audit"
        " WHERE action = ? AND account = ? AND at_seconds >= ?");
    s.Text(1, action).Blob(2, account).Int(3, sinceSeconds);
    Recent recent;
    if (s.Step()) recent = {static_cast<int>(s.IntColumn(0)), s.IntColumn(1)};
    return recent;
}

}  // namespace rb::service
