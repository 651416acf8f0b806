// The embedded store: one SQLite file. Write-ahead logging lets readers go on while one writer
// commits; every commit is synced to disk. A few connections serve the threads in turn.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "service/store/sqlite_db.h"
#include "service/store/store.h"

namespace rb::service {
namespace sqlite {

// The columns of a summary, named once ("i" being the inventories): ReadSummary reads them.
extern const char* const kSummaryColumns;
InventorySummary ReadSummary(const Statement& s);

}  // namespace sqlite

class SqliteStore : public Store {
public:
    // Opens the file, creating it, or upgrading a store written by an older service in place.
    // `durable` false leaves syncing to the system (for filling a store in bulk: a crash may
    // then lose the last commits).
    explicit SqliteStore(const std::string& fileName, int connections = 4, bool durable = true);
    ~SqliteStore() override;

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

    // An online copy of the whole store into a new file (the service may go on writing).
    void BackupTo(const std::string& copyName);

private:
    // One connection, lent to one thread until it goes.
    class Lease {
    public:
        explicit Lease(SqliteStore& store);
        ~Lease();
        sqlite::Database& operator*() const { return *db_; }
        sqlite::Database* operator->() const { return db_; }

    private:
        SqliteStore& store_;
        sqlite::Database* db_;
    };

    void Upgrade(sqlite::Database& db);
    int64_t Insert(sqlite::Database& db, const Inventory& inventory, const InventoryFacts& facts,
                   const std::string& hash);
    int64_t PlaceInMachine(sqlite::Database& db, int64_t inventory, const std::string& received,
                           const InventoryFacts& facts, const ChooseMachine& choose);
    void WriteFacts(sqlite::Database& db, int64_t id, const Inventory& inventory,
                    const InventoryFacts& facts, int version);
    void WriteSearchCopies(sqlite::Database& db, int64_t id, const THeader& header,
                           const std::string& computer, const std::string& programs);
    void FileOlderRows(sqlite::Database& db);

    std::mutex mutex_;
    std::condition_variable returned_;
    std::vector<std::unique_ptr<sqlite::Database>> all_;
    std::vector<sqlite::Database*> free_;
};

}  // namespace rb::service
