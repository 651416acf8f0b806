// The PostgreSQL store's machines: placing an inventory in one, and each inventory's changes.
#include <sodium.h>

#include <algorithm>

#include "service/store/postgres_rows.h"
#include "service/store/postgres_store.h"

namespace rb::service {
namespace {

// Machines a key may lead to before it no longer identifies any.
constexpr int kSharedKey = 16;

// The advisory lock of a machine key: the first 8 bytes of its SHA-256, the same in every
// service. Two keys that share one merely wait for each other.
int64_t KeyLock(const std::string& key) {
    uint8_t hash[crypto_hash_sha256_BYTES];
    const std::string text = "machine-key:" + key;
    crypto_hash_sha256(hash, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value = value << 8 | hash[i];
    return static_cast<int64_t>(value);
}

MachineRecord ReadMachine(const pg::Result& r, int row) {
    return MachineRecord{r.Int(row, 0), r.Column(row, 1), r.Int(row, 2),
                         r.Int(row, 3), r.Column(row, 4), r.Int(row, 5)};
}

const char* const kMachineColumns =
    "SELECT id, computer, first_inventory, last_inventory, last_received, inventories "
    "FROM machines ";

const char* const kChangeColumns =
    "SELECT inventory_id, previous_id, machine_id, received, changes, summary, version"
    " FROM inventory_changes ";

std::vector<ChangeRecord> ReadChanges(const pg::Result& r) {
    std::vector<ChangeRecord> records;
    for (int row = 0; row < r.Rows(); ++row) {
        records.push_back({r.Int(row, 0), r.Int(row, 1), r.Int(row, 2), r.Column(row, 3),
                           static_cast<int>(r.Int(row, 4)), r.Column(row, 5),
                           static_cast<int>(r.Int(row, 6))});
    }
    return records;
}

}  // namespace

// The machine of a new inventory: among those that share one of its keys, the one `choose`
// picks, or a new one; its keys then lead to that machine too. The keys stay locked until the
// transaction ends, so that another service placing an inventory with one of them waits and
// then sees this one's machine.
int64_t PostgresStore::PlaceInMachine(pg::Connection& c, int64_t inventory,
                                      const std::string& received, const InventoryFacts& facts,
                                      const ChooseMachine& choose) {
    if (facts.identity.empty()) return 0;  // a document that could not be read
    std::vector<int64_t> locks;
    for (const std::string& key : facts.machineKeys) locks.push_back(KeyLock(key));
    std::sort(locks.begin(), locks.end());  // always taken in one order: no deadlock
    locks.erase(std::unique(locks.begin(), locks.end()), locks.end());
    for (const int64_t lock : locks) {
        c.Exec("SELECT pg_advisory_xact_lock($1)", pg::Params().Int(lock));
    }
    std::vector<MachineCandidate> candidates;
    for (const std::string& key : facts.machineKeys) {
        // A value many machines share (one product identifier of a volume licence, a disk
        // serial of cloned computers) tells none of them apart: it finds no candidates.
        const pg::Result r = c.Exec(
            "SELECT m.id, m.identity FROM machine_keys k JOIN machines m ON m.id = k.machine_id "
            "WHERE k.key_hash = $1 ORDER BY m.id LIMIT $2",
            pg::Params().Bytes(pg::Sha256(key)).Int(kSharedKey + 1));
        if (r.Rows() > kSharedKey) continue;
        for (int row = 0; row < r.Rows(); ++row) {
            const int64_t id = r.Int(row, 0);
            if (std::none_of(candidates.begin(), candidates.end(),
                             [id](const MachineCandidate& m) { return m.id == id; })) {
                candidates.push_back({id, r.Column(row, 1)});
            }
        }
    }
    int64_t machine = choose ? choose(candidates) : 0;
    const pg::Params values =
        pg::Params().Bytes(facts.identity).Bytes(facts.computer).Int(inventory).Text(received);
    if (machine != 0) {
        pg::Params update = values;
        // No row: removed meanwhile by a prune, and made anew below.
        if (c.Exec("UPDATE machines SET identity = $1, computer = $2,"
                   " last_inventory = greatest(last_inventory, $3),"
                   " last_received = greatest(last_received, $4),"
                   " inventories = inventories + 1 WHERE id = $5 RETURNING id",
                   update.Int(machine))
                .Rows() == 0) {
            machine = 0;
        }
    }
    if (machine == 0) {
        machine = c.Exec(
                       "INSERT INTO machines (identity, computer, first_inventory,"
                       " last_inventory, last_received, inventories)"
                       " VALUES ($1, $2, $3, $3, $4, 1) RETURNING id",
                       values)
                      .Int(0, 0);
    }
    for (const std::string& key : facts.machineKeys) {
        c.Exec(
            "INSERT INTO machine_keys (key, key_hash, machine_id) VALUES ($1, $2, $3)"
            " ON CONFLICT DO NOTHING",
            pg::Params().Bytes(key).Bytes(pg::Sha256(key)).Int(machine));
    }
    return machine;
}

std::optional<MachineRecord> PostgresStore::GetMachine(int64_t id) {
    Lease c(*this);
    const pg::Result r =
        c->Exec(std::string(kMachineColumns) + "WHERE id = $1", pg::Params().Int(id));
    if (r.Rows() == 0) return std::nullopt;
    return ReadMachine(r, 0);
}

std::vector<MachineRecord> PostgresStore::ListMachines(int64_t offset, int limit) {
    Lease c(*this);
    const pg::Result r = c->Exec(
        std::string(kMachineColumns) + "ORDER BY last_received DESC, id DESC LIMIT $1 OFFSET $2",
        pg::Params().Int(pg::Limit(limit)).Int(std::max<int64_t>(offset, 0)));
    std::vector<MachineRecord> machines;
    for (int row = 0; row < r.Rows(); ++row) machines.push_back(ReadMachine(r, row));
    return machines;
}


int64_t PostgresStore::PreviousInventory(int64_t machineId, int64_t beforeId) {
    Lease c(*this);
    return c->Exec("SELECT coalesce(max(id), 0) FROM inventories"
                   " WHERE machine_id = $1 AND id < $2 AND machine_id <> 0",
                   pg::Params().Int(machineId).Int(beforeId))
        .Int(0, 0);
}

void PostgresStore::SaveChanges(const ChangeRecord& r) {
    Lease c(*this);
    c->Exec("INSERT INTO inventory_changes (inventory_id, previous_id, machine_id, received,"
            " changes, summary, version) VALUES ($1, $2, $3, $4, $5, $6, $7)"
            " ON CONFLICT (inventory_id) DO UPDATE SET previous_id = excluded.previous_id,"
            " machine_id = excluded.machine_id, received = excluded.received,"
            " changes = excluded.changes, summary = excluded.summary, version = excluded.version",
            pg::Params()
                .Int(r.inventoryId)
                .Int(r.previousId)
                .Int(r.machineId)
                .Text(r.received)
                .Int(r.changes)
                .Bytes(r.summary)
                .Int(r.version));
}

std::vector<ChangeRecord> PostgresStore::ChangesOf(int64_t machineId) {
    Lease c(*this);
    return ReadChanges(c->Exec(std::string(kChangeColumns) +
                                   "WHERE machine_id = $1 ORDER BY inventory_id DESC",
                               pg::Params().Int(machineId)));
}

std::vector<ChangeRecord> PostgresStore::ChangesSince(const std::string& since, int limit) {
    Lease c(*this);
    return ReadChanges(c->Exec(
        std::string(kChangeColumns) +
            "WHERE received >= $1 AND changes > 0 ORDER BY received DESC, inventory_id DESC"
            " LIMIT $2",
        pg::Params().Text(since).Int(pg::Limit(limit))));
}

}  // namespace rb::service
