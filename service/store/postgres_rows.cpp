#include "service/store/postgres_rows.h"

#include <sodium.h>

#include <algorithm>

#include "service/store/search_text.h"

namespace rb::service::pg {

ColumnValues& ColumnValues::Text(const char* column, std::string_view value) {
    columns_.push_back(column);
    params_.Text(value);
    return *this;
}

ColumnValues& ColumnValues::Bytes(const char* column, std::string_view value) {
    columns_.push_back(column);
    params_.Bytes(value);
    return *this;
}

ColumnValues& ColumnValues::Int(const char* column, int64_t value) {
    columns_.push_back(column);
    params_.Int(value);
    return *this;
}

ColumnValues& ColumnValues::Ints(const char* column, const std::vector<int64_t>& values) {
    columns_.push_back(column);
    params_.Ints(values);
    return *this;
}

std::string ColumnValues::Insert(const char* table) const {
    std::string names, values;
    for (size_t i = 0; i < columns_.size(); ++i) {
        names += (i ? ", " : "") + std::string(columns_[i]);
        values += (i ? ", $" : "$") + std::to_string(i + 1);
    }
    return std::string("INSERT INTO ") + table + " (" + names + ") VALUES (" + values + ")";
}

std::string ColumnValues::Update(const char* table) const {
    std::string sql = std::string("UPDATE ") + table + " SET ";
    for (size_t i = 0; i < columns_.size(); ++i) {
        sql += (i ? ", " : "") + std::string(columns_[i]) + " = $" + std::to_string(i + 1);
    }
    return sql;
}

void AddFacts(ColumnValues& columns, const Inventory& inventory, const InventoryFacts& facts,
              int version, const std::vector<int64_t>& programs) {
    columns.Int("xml_size", static_cast<int64_t>(inventory.xml.size()))
        .Int("facts_version", version)
        .Bytes("computer", facts.computer)
        .Bytes("os", facts.os)
        .Bytes("cpu", facts.cpu)
        .Int("memory", facts.memoryBytes)
        .Int("problems", facts.problems)
        .Int("section_count", facts.sectionCount)
        .Text("search_nombre", SearchCopy(inventory.header.Nombre))
        .Text("search_telefono", SearchCopy(inventory.header.Telefono))
        .Text("search_observaciones", SearchCopy(inventory.header.Observaciones))
        .Text("search_destino", SearchCopy(inventory.header.Destino))
        .Text("search_computer", SearchCopy(facts.computer))
        .Ints("program_ids", programs);
}

std::string Sha256(std::string_view bytes) {
    unsigned char hash[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(hash, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    return std::string(reinterpret_cast<const char*>(hash), sizeof hash);
}

std::vector<int64_t> ProgramIds(Connection& c, const std::vector<std::string>& programs) {
    std::vector<std::pair<std::string, std::string>> named;  // hash, name
    for (const std::string& name : programs) named.emplace_back(Sha256(name), name);
    std::sort(named.begin(), named.end());
    named.erase(std::unique(named.begin(), named.end()), named.end());
    if (named.empty()) return {};
    std::vector<std::string> hashes, names, copies;
    for (const auto& [hash, name] : named) {
        hashes.push_back(hash);
        names.push_back(name);
        copies.push_back(SearchCopy(name));
    }
    c.Exec(
        "INSERT INTO programs (name_hash, name, search_name)"
        " SELECT * FROM unnest($1::bytea[], $2::bytea[], $3::text[])"
        " ON CONFLICT (name_hash) DO NOTHING",
        Params().BytesArray(hashes).BytesArray(names).TextArray(copies));
    // A statement of its own, which sees the names another service added meanwhile.
    const Result r = c.Exec("SELECT id FROM programs WHERE name_hash = ANY($1) ORDER BY id",
                            Params().BytesArray(hashes));
    std::vector<int64_t> ids;
    for (int row = 0; row < r.Rows(); ++row) ids.push_back(r.Int(row, 0));
    return ids;
}

const char* const kSummaryColumns =
    "i.id, i.received, i.peer, i.nombre, i.telefono, i.observaciones, i.destino, i.sections,"
    " i.xml_size, i.computer, i.os, i.cpu, i.memory, i.problems, i.machine_id, i.section_count ";

InventorySummary ReadSummary(const Result& r, int row) {
    InventorySummary s;
    s.id = r.Int(row, 0);
    s.received = r.Column(row, 1);
    s.peer = r.Column(row, 2);
    s.header = THeader{r.Column(row, 3), r.Column(row, 4), r.Column(row, 5), r.Column(row, 6)};
    s.sections = r.Column(row, 7);
    s.xmlSize = r.Int(row, 8);
    s.facts.computer = r.Column(row, 9);
    s.facts.os = r.Column(row, 10);
    s.facts.cpu = r.Column(row, 11);
    s.facts.memoryBytes = r.Int(row, 12);
    s.facts.problems = static_cast<int>(r.Int(row, 13));
    s.machineId = r.Int(row, 14);
    s.facts.sectionCount = static_cast<int>(r.Int(row, 15));
    return s;
}

const char* const kInventoryColumns =
    "id, received, peer, client_id, operation, nombre, telefono, observaciones, destino, xml,"
    " sections ";

Inventory ReadInventory(const Result& r, int row) {
    Inventory inventory;
    inventory.id = r.Int(row, 0);
    inventory.received = r.Column(row, 1);
    inventory.peer = r.Column(row, 2);
    inventory.clientId = r.Column(row, 3);
    inventory.operation = r.Column(row, 4);
    inventory.header =
        THeader{r.Column(row, 5), r.Column(row, 6), r.Column(row, 7), r.Column(row, 8)};
    inventory.xml = r.Column(row, 9);
    inventory.sections = r.Column(row, 10);
    return inventory;
}

}  // namespace rb::service::pg
