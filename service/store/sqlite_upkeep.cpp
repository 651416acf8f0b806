// The SQLite store's upkeep: the search copies, removing old inventories, and the online backup.
#include <sqlite3.h>

#include <cstdio>
#include <set>

#include "core/cp1252.h"
#include "core/exception.h"
#include "service/store/search_text.h"
#include "service/store/sqlite_store.h"

namespace rb::service {

void SqliteStore::WriteSearchCopies(sqlite::Database& db, int64_t id, const THeader& header,
                                    const std::string& computer, const std::string& programs) {
    db.Prepare("DELETE FROM inventory_search WHERE rowid = ?").Int(1, id).Run();
    db.Prepare(
          "INSERT INTO inventory_search (rowid, nombre, telefono, observaciones, destino,"
          " computer, programs) VALUES (?, ?, ?, ?, ?, ?, ?)")
        .Int(1, id)
        .Text(2, SearchCopy(header.Nombre))
        .Text(3, SearchCopy(header.Telefono))
        .Text(4, SearchCopy(header.Observaciones))
        .Text(5, SearchCopy(header.Destino))
        .Text(6, computer)
        .Text(7, programs)
        .Run();
}

std::vector<InventorySummary> SqliteStore::Prune(const std::string& before, bool keepLatest) {
    Lease db(*this);
    sqlite::Transaction transaction(*db);
    sqlite::Statement select =
        db->Prepare(std::string("SELECT ") + sqlite::kSummaryColumns +
                    "FROM inventories i WHERE i.received < ?" +
                    (keepLatest ? " AND i.id NOT IN (SELECT last_inventory FROM machines)" : "") +
                    " ORDER BY i.id");
    select.Text(1, before);
    std::vector<InventorySummary> removed;
    while (select.Step()) removed.push_back(sqlite::ReadSummary(select));
    sqlite::Statement row = db->Prepare("DELETE FROM inventories WHERE id = ?");
    sqlite::Statement document = db->Prepare("DELETE FROM inventory_documents WHERE inventory_id = ?");
    sqlite::Statement copy = db->Prepare("DELETE FROM inventory_search WHERE rowid = ?");
    sqlite::Statement changes = db->Prepare("DELETE FROM inventory_changes WHERE inventory_id = ?");
    std::set<int64_t> machines;
    for (const InventorySummary& inventory : removed) {
        row.Reset().Int(1, inventory.id).Run();
        document.Reset().Int(1, inventory.id).Run();
        copy.Reset().Int(1, inventory.id).Run();
        changes.Reset().Int(1, inventory.id).Run();
        if (inventory.machineId != 0) machines.insert(inventory.machineId);
    }
    sqlite::Statement recount = db->Prepare(
        "UPDATE machines SET"
        " inventories = (SELECT count(*) FROM inventories WHERE machine_id = :id),"
        " first_inventory = coalesce((SELECT min(id) FROM inventories WHERE machine_id = :id), 0),"
        " last_inventory = coalesce((SELECT max(id) FROM inventories WHERE machine_id = :id), 0),"
        " last_received = coalesce((SELECT max(received) FROM inventories"
        " WHERE machine_id = :id), '') WHERE id = :id");
    for (const int64_t machine : machines) recount.Reset().Int(":id", machine).Run();
    db->Exec(
        "DELETE FROM machine_keys WHERE machine_id IN"
        " (SELECT id FROM machines WHERE inventories = 0);"
        "DELETE FROM machines WHERE inventories = 0;");
    transaction.Commit();
    return removed;
}

void SqliteStore::BackupTo(const std::string& copyName) {
    if (std::FILE* existing = std::fopen(copyName.c_str(), "rb")) {
        std::fclose(existing);
        throw Exception("Ya existe " + copyName + ": la copia no lo sobrescribe");
    }
    Lease source(*this);
    const std::string partial = copyName + ".parcial";
    std::remove(partial.c_str());
    {
        sqlite::Database copy(partial);
        sqlite3_backup* backup =
            sqlite3_backup_init(copy.Handle(), "main", source->Handle(), "main");
        if (!backup) copy.Fail("No se pudo copiar la base de datos");
        // One step: a consistent snapshot, while the service goes on writing (WAL).
        const int rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE) copy.Fail("No se pudo copiar la base de datos");
        copy.Exec("PRAGMA journal_mode=DELETE");
    }
    if (std::rename(partial.c_str(), copyName.c_str()) != 0) {
        std::remove(partial.c_str());
        throw Exception("No se pudo escribir " + copyName);
    }
}

}  // namespace rb::service
