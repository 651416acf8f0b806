// The SQLite store's machines: placing an inventory in one, and each inventory's changes.
#include <algorithm>

#include "service/store/sqlite_store.h"

namespace rb::service {
namespace {

// Machines a key may lead to before it no longer identifies any.
constexpr int kSharedKey = 16;

}  // namespace

// The machine of a new inventory: among those that share one of its keys, the one `choose`
// picks, or a new one; its keys then lead to that machine too.
int64_t SqliteStore::PlaceInMachine(sqlite::Database& db, int64_t inventory,
                                    const std::string& received, const InventoryFacts& facts,
                                    const ChooseMachine& choose) {
    if (facts.identity.empty()) return 0;  // a document that could not be read
    std::vector<MachineCandidate> candidates;
    for (const std::string& key : facts.machineKeys) {
        // A value many machines share (one product identifier of a volume licence, a disk
        // serial of cloned computers) tells none of them apart: it finds no candidates.
        sqlite::Statement s = db.Prepare(
            "SELECT m.id, m.identity FROM machine_keys k JOIN machines m ON m.id = k.machine_id "
            "WHERE k.key = ? ORDER BY m.id LIMIT ?");
        s.Blob(1, key).Int(2, kSharedKey + 1);
        std::vector<MachineCandidate> found;
        while (s.Step()) found.push_back({s.IntColumn(0), s.Column(1)});
        if (found.size() > size_t(kSharedKey)) continue;
        for (MachineCandidate& c : found) {
            if (std::none_of(candidates.begin(), candidates.end(),
                             [&c](const MachineCandidate& k) { return k.id == c.id; })) {
                candidates.push_back(std::move(c));
            }
        }
    }
    int64_t machine = choose ? choose(candidates) : 0;
    if (machine == 0) {
        db.Prepare("INSERT INTO machines (identity, computer, first_inventory, last_inventory,"
                   " last_received, inventories) VALUES (:identity, :computer, :inventory,"
                   " :inventory, :received, 1)")
            .Blob(":identity", facts.identity)
            .Blob(":computer", facts.computer)
            .Int(":inventory", inventory)
            .Text(":received", received)
            .Run();
        machine = db.LastId();
    } else {
        db.Prepare("UPDATE machines SET identity = :identity, computer = :computer,"
                   " last_inventory = max(last_inventory, :inventory),"
                   " last_received = max(last_received, :received),"
                   " inventories = inventories + 1 WHERE id = :id")
            .Blob(":identity", facts.identity)
            .Blob(":computer", facts.computer)
            .Int(":inventory", inventory)
            .Text(":received", received)
            .Int(":id", machine)
            .Run();
    }
    for (const std::string& key : facts.machineKeys) {
        db.Prepare("INSERT OR IGNORE INTO machine_keys (key, machine_id) VALUES (?, ?)")
            .Blob(1, key)
            .Int(2, machine)
            .Run();
    }
    db.Prepare("UPDATE inventories SET machine_id = ? WHERE id = ?").Int(1, machine).Int(2, inventory).Run();
    return machine;
}

namespace {

MachineRecord ReadMachine(sqlite::Statement& s) {
    return MachineRecord{s.IntColumn(0), s.Column(1), s.IntColumn(2), s.IntColumn(3),
                         s.Column(4), s.IntColumn(5)};
}

const char* const kMachineColumns =
    "SELECT id, computer, first_inventory, last_inventory, last_received, inventories "
    "FROM machines ";

}  // namespace

std::optional<MachineRecord> SqliteStore::GetMachine(int64_t id) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(std::string(kMachineColumns) + "WHERE id = ?");
    s.Int(1, id);
    if (!s.Step()) return std::nullopt;
    return ReadMachine(s);
}

std::vector<MachineRecord> SqliteStore::ListMachines(int64_t offset, int limit) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(std::string(kMachineColumns) +
                                      "ORDER BY last_received DESC, id DESC LIMIT ? OFFSET ?");
    s.Int(1, limit).Int(2, offset);
    std::vector<MachineRecord> machines;
    while (s.Step()) machines.push_back(ReadMachine(s));
    return machines;
}

int64_t SqliteStore::PreviousInventory(int64_t machineId, int64_t beforeId) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(
        "SELECT max(id) FROM inventories WHERE machine_id = ? AND id < ? AND machine_id <> 0");
    s.Int(1, machineId).Int(2, beforeId);
    return s.Step() ? s.IntColumn(0) : 0;
}

void SqliteStore::SaveChanges(const ChangeRecord& r) {
    Lease db(*this);
    db->Prepare("INSERT OR REPLACE INTO inventory_changes (inventory_id, previous_id, machine_id,"
                " received, changes, summary, version) VALUES (?, ?, ?, ?, ?, ?, ?)")
        .Int(1, r.inventoryId)
        .Int(2, r.previousId)
        .Int(3, r.machineId)
        .Text(4, r.received)
        .Int(5, r.changes)
        .Blob(6, r.summary)
        .Int(7, r.version)
        .Run();
}

namespace {

const char* const kChangeColumns =
    "SELECT inventory_id, previous_id, machine_id, received, changes, summary, version"
    " FROM inventory_changes ";

std::vector<ChangeRecord> ReadChanges(sqlite::Statement& s) {
    std::vector<ChangeRecord> records;
    while (s.Step()) {
        records.push_back({s.IntColumn(0), s.IntColumn(1), s.IntColumn(2), s.Column(3),
                           static_cast<int>(s.IntColumn(4)), s.Column(5),
                           static_cast<int>(s.IntColumn(6))});
    }
    return records;
}

}  // namespace

std::vector<ChangeRecord> SqliteStore::ChangesOf(int64_t machineId) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(std::string(kChangeColumns) +
                                      "WHERE machine_id = ? ORDER BY inventory_id DESC");
    s.Int(1, machineId);
    return ReadChanges(s);
}

std::vector<ChangeRecord> SqliteStore::ChangesSince(const std::string& since, int limit) {
    Lease db(*this);
    sqlite::Statement s = db->Prepare(
        std::string(kChangeColumns) +
        "WHERE received >= ? AND changes > 0 ORDER BY received DESC, inventory_id DESC LIMIT ?");
    s.Text(1, since).Int(2, limit);
    return ReadChanges(s);
}

}  // namespace rb::service
