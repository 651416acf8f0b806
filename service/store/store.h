// Where the service keeps what it receives and who may read it. One interface, in the service's
// own records; each database behind it in its own files (SQLite: sqlite_*, PostgreSQL:
// postgres_*). SQL lives only there. Every method may be called from any thread, and several
// services may share one PostgreSQL store; failures raise rb::Exception.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "service/store/records.h"

namespace rb::service {

class Store {
public:
    virtual ~Store() = default;

    // Inventories. Add stores one (its id is ignored) with what it is filed under, in the
    // machine `choose` picks among those sharing a key with it (a key that more than 16
    // machines share leads to none), and answers its number; the row
    // is committed before it returns. The same call again (same client identifier and the same
    // content) is stored once: it answers the first one's number.
    virtual int64_t AddInventory(const Inventory& inventory, const InventoryFacts& facts,
                                 const ChooseMachine& choose) = 0;
    virtual std::optional<Inventory> GetInventory(int64_t id) = 0;
    virtual std::optional<InventorySummary> GetSummary(int64_t id) = 0;
    virtual SummaryPage Search(const InventoryQuery& query) = 0;
    // Every inventory, oldest first (the command line's list).
    virtual std::vector<InventorySummary> ListAll() = 0;
    // Removes the inventories received before `before` (as `received` is written), but the
    // latest of each machine while `keepLatest`; their machines then count what is left, and a
    // machine left with none goes. Answers what was removed, oldest first.
    virtual std::vector<InventorySummary> Prune(const std::string& before, bool keepLatest) = 0;

    // Inventories filed by an older rule than `version` (or never): each is filed again with
    // what `file` reads from it, its machine chosen by `choose`. Answers how many.
    virtual int64_t Refile(int version,
                           const std::function<InventoryFacts(const Inventory&)>& file,
                           const std::function<ChooseMachine(const InventoryFacts&)>& choose) = 0;

    // Machines, the one most recently heard from first.
    virtual std::optional<MachineRecord> GetMachine(int64_t id) = 0;
    virtual std::vector<MachineRecord> ListMachines(int64_t offset, int limit) = 0;

    // The changes of each inventory since the previous one of its machine. Previous answers
    // the machine's latest inventory before `beforeId` (0 when it is the first); SaveChanges
    // replaces what was kept of that inventory; both lists are newest first, the second only of
    // inventories that changed something, received at or after `since`.
    virtual int64_t PreviousInventory(int64_t machineId, int64_t beforeId) = 0;
    virtual void SaveChanges(const ChangeRecord& record) = 0;
    virtual std::vector<ChangeRecord> ChangesOf(int64_t machineId) = 0;
    virtual std::vector<ChangeRecord> ChangesSince(const std::string& since, int limit) = 0;

    // Accounts. AddAccount raises when the name is taken.
    virtual int64_t AddAccount(const Account& account) = 0;
    virtual std::optional<Account> FindAccount(const std::string& name) = 0;
    virtual std::optional<Account> GetAccount(int64_t id) = 0;
    virtual std::vector<Account> ListAccounts() = 0;
    virtual void UpdateAccount(const Account& account) = 0;  // role, hash, disabled

    // Sessions of signed-in browsers.
    virtual void AddSession(const SessionRecord& session) = 0;
    virtual std::optional<SessionRecord> FindSession(const std::string& tokenHash) = 0;
    virtual void TouchSession(const std::string& tokenHash, int64_t now) = 0;
    virtual void DeleteSession(const std::string& tokenHash) = 0;
    // Those idle since before `lastSeen`, and all of an account (accountId > 0).
    virtual void DeleteSessions(int64_t lastSeenBefore, int64_t accountId) = 0;

    // API tokens.
    virtual int64_t AddToken(const TokenRecord& token) = 0;
    virtual std::optional<TokenRecord> FindToken(const std::string& tokenHash) = 0;
    virtual std::vector<TokenRecord> ListTokens(int64_t accountId) = 0;
    virtual void DeleteToken(int64_t id) = 0;

    // The audit log, newest first.
    virtual void Record(const AuditEntry& entry) = 0;
    virtual std::vector<AuditEntry> Audit(int limit) = 0;
    // Entries of `action` for `account` at or after `sinceSeconds`, and the time of the latest.
    struct Recent {
        int count = 0;
        int64_t latest = 0;
    };
    virtual Recent RecentEntries(const std::string& action, const std::string& account,
                                 int64_t sinceSeconds) = 0;

    // The schema version the store is at (each store numbers its own steps).
    virtual int SchemaVersion() = 0;
};

// The store a `--db` value names: a "postgresql://..." (or "postgres://...") address, else a
// file name or "sqlite:FILE". Opening brings an older schema up to date in place.
std::unique_ptr<Store> OpenStore(const std::string& address);
// Whether a `--db` value names a PostgreSQL store.
bool IsPostgresAddress(const std::string& address);
// The SQLite file a `--db` value names ("" for a PostgreSQL address).
std::string SqliteFileOf(const std::string& address);

// The current time as the store writes it, and in seconds.
std::string UtcNow();
std::string UtcText(int64_t seconds);
int64_t NowSeconds();

}  // namespace rb::service
