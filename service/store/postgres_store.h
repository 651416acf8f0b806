// The server store: one PostgreSQL database that several services share. Whatever must happen
// once is decided by the database itself: a retried call by the unique key of its client and
// content, a machine by locks on its identifying values held to the end of the transaction,
// the schema's steps by a lock of their own. A few connections serve the threads in turn and
// are made anew when the server has dropped them.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "service/store/postgres_db.h"
#include "service/store/store.h"

namespace rb::service {

class PostgresStore : public Store {
public:
    // Connects to `address` ("postgresql://..."), creating the schema or bringing an older one
    // up to date.
    explicit PostgresStore(const std::string& address, int connections = 6);
    ~PostgresStore() override;

    int64_t AddInventory(const Inventory& inventory, const InventoryFacts& facts,
                         const ChooseMachine& choose) override;
    std::optional<Inventory> GetInventory(int64_t id) override;
    std::optional<InventorySummary> GetSummary(int64_t id) override;
    SummaryPage Search(const InventoryQuery& query) override;
    std::vector<InventorySummary> ListAll() override;
    std::vector<InventorySummary> Prune(const std::string& before, bool keepLatest) override;
    int64_t Refile(int version, const std::function<InventoryFacts(const Inventory&)>& file,
                   const std::function<ChooseMachine(const InventoryFacts&)>& choose) override;
    std::optional<MachineRecord> GetMachine(int64_t id) override;
    std::vector<MachineRecord> ListMachines(int64_t offset, int limit) override;
    int64_t PreviousInventory(int64_t machineId, int64_t beforeId) override;
    void SaveChanges(const ChangeRecord& record) override;
    std::vector<ChangeRecord> ChangesOf(int64_t machineId) override;
    std::vector<ChangeRecord> ChangesSince(const std::string& since, int limit) override;

    int64_t AddAccount(const Account& account) override;
    std::optional<Account> FindAccount(const std::string& name) override;
    std::optional<Account> GetAccount(int64_t id) override;
    std::vector<Account> ListAccounts() override;
    void UpdateAccount(const Account& account) override;
    void AddSession(const SessionRecord& session) override;
    std::optional<SessionRecord> FindSession(const std::string& tokenHash) override;
    void TouchSession(const std::string& tokenHash, int64_t now) override;
    void DeleteSession(const std::string& tokenHash) override;
    void DeleteSessions(int64_t lastSeenBefore, int64_t accountId) override;
    int64_t AddToken(const TokenRecord& token) override;
    std::optional<TokenRecord> FindToken(const std::string& tokenHash) override;
    std::vector<TokenRecord> ListTokens(int64_t accountId) override;
    void DeleteToken(int64_t id) override;
    void Record(const AuditEntry& entry) override;
    std::vector<AuditEntry> Audit(int limit) override;
    Recent RecentEntries(const std::string& action, const std::string& account,
                         int64_t sinceSeconds) override;
    int SchemaVersion() override;

private:
    // One connection, lent to one thread until it goes; a broken one is not lent again.
    class Lease {
    public:
        explicit Lease(PostgresStore& store);
        ~Lease();
        pg::Connection& operator*() const { return *connection_; }
        pg::Connection* operator->() const { return connection_.get(); }

    private:
        PostgresStore& store_;
        std::unique_ptr<pg::Connection> connection_;
    };

    void Upgrade(pg::Connection& connection);
    // The inventory's machine, with its keys locked, before the inventory's row exists.
    int64_t PlaceInMachine(pg::Connection& connection, int64_t inventory,
                           const std::string& received, const InventoryFacts& facts,
                           const ChooseMachine& choose);
    int64_t TryAdd(const Inventory& inventory, const InventoryFacts& facts,
                   const ChooseMachine& choose, const std::string& hash);
    bool RefileOne(int64_t id, int version,
                   const std::function<InventoryFacts(const Inventory&)>& file,
                   const std::function<ChooseMachine(const InventoryFacts&)>& choose);

    const std::string address_;
    const int connections_;
    std::mutex mutex_;
    std::condition_variable returned_;
    int open_ = 0;  // connections made, lent or free
    std::vector<std::unique_ptr<pg::Connection>> free_;
};

}  // namespace rb::service
