#include "service/filing/changes.h"

#include <map>
#include <memory>

#include "compare/change_text.h"
#include "core/exception.h"
#include "core/text.h"
#include "service/filing/filing.h"
#include "xml/sys_info_xml.h"

namespace rb::service {
namespace {

std::unique_ptr<TXMLSysInfo> Load(Store& store, int64_t id) {
    const std::optional<Inventory> inventory = store.GetInventory(id);
    if (!inventory) {
        throw Exception(Format("No hay ningún inventario con el número %lld",
                               static_cast<long long>(id)));
    }
    RegisterDocumentClasses();
    auto document = std::make_unique<TXMLSysInfo>();
    try {
        document->LoadXML(inventory->xml);
    } catch (const std::exception& e) {
        throw Exception(Format("El inventario %lld no se pudo leer: %s",
                               static_cast<long long>(id), e.what()));
    }
    return document;
}

}  // namespace

compare::Difference CompareStored(Store& store, int64_t before, int64_t after,
                                  const compare::DiffOptions& options) {
    const std::unique_ptr<TXMLSysInfo> a = Load(store, before);
    const std::unique_ptr<TXMLSysInfo> b = Load(store, after);
    return compare::DiffInventories(*a->SystemInfo, *b->SystemInfo, options);
}

std::optional<ChangeRecord> FileChanges(Store& store, int64_t inventory) {
    const std::optional<InventorySummary> summary = store.GetSummary(inventory);
    if (!summary || summary->machineId == 0) return std::nullopt;
    ChangeRecord record;
    record.inventoryId = inventory;
    record.machineId = summary->machineId;
    record.received = summary->received;
    record.version = kChangesVersion;
    record.previousId = store.PreviousInventory(summary->machineId, inventory);
    if (record.previousId == 0) {
        record.summary = "primer inventario";
    } else {
        try {
            const compare::Difference d = CompareStored(store, record.previousId, inventory);
            record.changes = static_cast<int>(d.changes.size());
            record.summary = compare::ChangeSummary(d.changes);
        } catch (const std::exception& e) {
            record.summary = std::string("no se pudo comparar: ") + e.what();
        }
    }
    store.SaveChanges(record);
    return record;
}

std::vector<ChangeRecord> MachineChanges(Store& store, int64_t machine) {
    std::map<int64_t, ChangeRecord> kept;
    for (ChangeRecord& r : store.ChangesOf(machine)) kept[r.inventoryId] = std::move(r);
    InventoryQuery query;
    query.machineId = machine;
    query.limit = 10000;
    std::vector<ChangeRecord> records;
    for (const InventorySummary& s : store.Search(query).rows) {
        const auto it = kept.find(s.id);
        const bool fresh = it != kept.end() && it->second.version == kChangesVersion &&
                           it->second.previousId == store.PreviousInventory(machine, s.id);
        if (fresh) {
            records.push_back(it->second);
        } else if (std::optional<ChangeRecord> made = FileChanges(store, s.id)) {
            records.push_back(*made);
        }
    }
    return records;
}

}  // namespace rb::service
