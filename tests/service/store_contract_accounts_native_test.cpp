// The store contract, who may read the store: accounts, sessions, API tokens and the audit
// log, and the schema's version.
#include <algorithm>

#include "service/store_contract.h"

namespace rb::test {
namespace {

using service::Account;
using service::Role;

// A hash as the console keeps it: 32 bytes of any value.
std::string Hash(char seed) {
    std::string hash(32, '\0');
    for (size_t i = 0; i < hash.size(); ++i) hash[i] = static_cast<char>(seed * 31 + i * 7);
    hash[3] = '\0';
    return hash;
}

TEST_P(StoreContract, KeepsAccounts) {
    const Account rows[] = {
        {0, "ana", Role::Admin, "$argon2id$v=19$m=65536,t=2,p=1$c2FsdA$aGFzaA", false, ""},
        {0, "José Núñez", Role::Soporte, "h2", true, "2024-01-01 00:00:00"},
        {0, "'; DROP TABLE accounts; --", Role::Lectura, "h3", false, ""},
        {0, "ANA", Role::Lectura, "h4", false, ""},  // names are kept as they are written
    };
    std::vector<int64_t> ids;
    for (const Account& row : rows) ids.push_back(store().AddAccount(row));
    EXPECT_THROW(store().AddAccount(rows[0]), Exception);
    EXPECT_THROW(OpenAgain()->AddAccount(rows[1]), Exception);
    for (size_t i = 0; i < std::size(rows); ++i) {
        for (const std::optional<Account>& got :
             {store().GetAccount(ids[i]), store().FindAccount(rows[i].name)}) {
            ASSERT_TRUE(got) << rows[i].name;
            EXPECT_EQ(got->id, ids[i]);
            EXPECT_EQ(got->name, rows[i].name);
            EXPECT_EQ(got->role, rows[i].role);
            EXPECT_EQ(got->passwordHash, rows[i].passwordHash);
            EXPECT_EQ(got->disabled, rows[i].disabled);
            EXPECT_EQ(got->created.size(), 19u);
        }
    }
    EXPECT_EQ(store().GetAccount(ids[1])->created, "2024-01-01 00:00:00");
    EXPECT_FALSE(store().FindAccount("nadie"));
    EXPECT_FALSE(store().GetAccount(999999));
    std::vector<std::string> names;  // by name, as bytes
    for (const Account& a : store().ListAccounts()) names.push_back(a.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"'; DROP TABLE accounts; --", "ANA", "José Núñez", "ana"}));
    // The role, the hash and the switch change; the name does not.
    Account changed = *store().FindAccount("ana");
    changed.name = "otra";
    changed.role = Role::Lectura;
    changed.passwordHash = "nuevo";
    changed.disabled = true;
    store().UpdateAccount(changed);
    const Account after = *store().GetAccount(changed.id);
    EXPECT_EQ(after.name, "ana");
    EXPECT_EQ(after.role, Role::Lectura);
    EXPECT_EQ(after.passwordHash, "nuevo");
    EXPECT_TRUE(after.disabled);
}

TEST_P(StoreContract, KeepsSessionsUntilTheyGo) {
    const service::SessionRecord sessions[] = {
        {Hash('a'), 1, "csrf-a", 100, 100},
        {Hash('b'), 2, "csrf-b", 200, 200},
        {Hash('c'), 1, "csrf-c", 300, 300},
        {Hash('d'), 2, "csrf-d", 400, 400},
    };
    for (const auto& session : sessions) store().AddSession(session);
    EXPECT_THROW(store().AddSession(sessions[0]), Exception);
    const std::optional<service::SessionRecord> b = store().FindSession(Hash('b'));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->tokenHash, Hash('b'));
    EXPECT_EQ(b->accountId, 2);
    EXPECT_EQ(b->csrf, "csrf-b");
    EXPECT_EQ(b->created, 200);
    EXPECT_EQ(b->lastSeen, 200);
    store().TouchSession(Hash('a'), 500);
    EXPECT_EQ(store().FindSession(Hash('a'))->lastSeen, 500);
    EXPECT_EQ(store().FindSession(Hash('a'))->created, 100);
    struct Step {
        void (*act)(service::Store&);
        const char* left;  // the sessions still found
    };
    const Step steps[] = {
        {[](service::Store& s) { s.DeleteSession(Hash('b')); }, "acd"},
        {[](service::Store& s) { s.DeleteSession(Hash('z')); }, "acd"},
        {[](service::Store& s) { s.DeleteSessions(350, 0); }, "ad"},  // idle since before 350
        {[](service::Store& s) { s.DeleteSessions(0, 1); }, "d"},     // all of account 1
        {[](service::Store& s) { s.DeleteSessions(1000, 0); }, ""},
    };
    for (const Step& step : steps) {
        step.act(store());
        std::string left;
        for (const char c : std::string("abcd")) left += store().FindSession(Hash(c)) ? c : ' ';
        left.erase(std::remove(left.begin(), left.end(), ' '), left.end());
        EXPECT_EQ(left, step.left);
    }
}

TEST_P(StoreContract, KeepsApiTokens) {
    const int64_t first = store().AddToken({0, 7, "Integración CRM", Hash('t'), ""});
    const int64_t second = store().AddToken({0, 7, "'; --", Hash('u'), "2024-05-05 05:05:05"});
    store().AddToken({0, 8, "otra cuenta", Hash('v'), ""});
    EXPECT_THROW(store().AddToken({0, 9, "la misma", Hash('t'), ""}), Exception);
    const std::optional<service::TokenRecord> token = store().FindToken(Hash('t'));
    ASSERT_TRUE(token);
    EXPECT_EQ(token->id, first);
    EXPECT_EQ(token->accountId, 7);
    EXPECT_EQ(token->label, "Integración CRM");
    EXPECT_EQ(token->created.size(), 19u);
    EXPECT_FALSE(store().FindToken(Hash('x')));
    std::vector<int64_t> ids;
    for (const auto& t : store().ListTokens(7)) ids.push_back(t.id);
    EXPECT_EQ(ids, (std::vector<int64_t>{first, second}));
    EXPECT_EQ(store().ListTokens(7)[1].created, "2024-05-05 05:05:05");
    EXPECT_TRUE(store().ListTokens(99).empty());
    store().DeleteToken(first);
    EXPECT_FALSE(store().FindToken(Hash('t')));
    EXPECT_EQ(store().ListTokens(7).size(), 1u);
}

TEST_P(StoreContract, KeepsTheAuditLog) {
    const service::AuditEntry entries[] = {
        {0, "", 1000, "ana", "entrada fallida", "contraseña errónea", "192.0.2.1"},
        {0, "", 2000, "ana", "entrada fallida", "", "192.0.2.1"},
        {0, "", 3000, "ana", "entrada", "", "::1"},
        {0, "", 2500, "luis", "entrada fallida", "'; DROP TABLE audit; --", "192.0.2.9"},
        {0, "", 0, "ana", "descarga", "inventario 7", "192.0.2.1"},  // now
    };
    // A sign-in with a name of any length is recorded and counted as well.
    const std::string longName(20000, 'x');
    store().Record({0, "", 500, longName, "entrada fallida", "", "192.0.2.5"});
    const int64_t before = service::NowSeconds();
    for (const auto& entry : entries) store().Record(entry);
    const std::vector<service::AuditEntry> all = store().Audit(std::size(entries));
    ASSERT_EQ(all.size(), std::size(entries));
    EXPECT_EQ(store().RecentEntries("entrada fallida", longName, 0).count, 1);
    EXPECT_EQ(store().Audit(10).back().account, longName);
    for (size_t i = 0; i < all.size(); ++i) {  // newest first
        const service::AuditEntry& sent = entries[std::size(entries) - 1 - i];
        EXPECT_EQ(all[i].account, sent.account);
        EXPECT_EQ(all[i].action, sent.action);
        EXPECT_EQ(all[i].detail, sent.detail);
        EXPECT_EQ(all[i].peer, sent.peer);
        EXPECT_EQ(all[i].at, service::UtcText(all[i].atSeconds));
        if (sent.atSeconds) EXPECT_EQ(all[i].atSeconds, sent.atSeconds);
    }
    EXPECT_GE(all[0].atSeconds, before);
    EXPECT_EQ(store().Audit(2).size(), 2u);
    EXPECT_EQ(store().Audit(2)[1].atSeconds, 2500);
    struct Row {
        const char *action, *account;
        int64_t since;
        int count;
        int64_t latest;
    };
    const Row rows[] = {
        {"entrada fallida", "ana", 0, 2, 2000},
        {"entrada fallida", "ana", 1500, 1, 2000},
        {"entrada fallida", "ana", 2001, 0, 0},
        {"entrada fallida", "luis", 0, 1, 2500},
        {"entrada", "ANA", 0, 0, 0},
        {"'; --", "ana", 0, 0, 0},
    };
    for (const Row& row : rows) {
        const service::Store::Recent recent =
            store().RecentEntries(row.action, row.account, row.since);
        EXPECT_EQ(recent.count, row.count) << row.action << " " << row.account << " " << row.since;
        EXPECT_EQ(recent.latest, row.latest) << row.action << " " << row.account;
    }
}

TEST_P(StoreContract, RecordsItsSchemaVersion) {
    const int version = store().SchemaVersion();
    EXPECT_GT(version, 0);
    EXPECT_EQ(OpenAgain()->SchemaVersion(), version);
}

}  // namespace
}  // namespace rb::test
