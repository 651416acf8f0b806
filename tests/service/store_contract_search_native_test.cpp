// The store contract, the list: each filter of a search (substrings in any case, accents,
// texts that mean something to SQL or to LIKE), sorting by every column, and pages.
#include <algorithm>
#include <numeric>

#include "service/store_contract.h"

namespace rb::test {
namespace {

using service::InventoryQuery;
using service::SortColumn;

struct Seed {
    THeader header;
    const char* computer;
    std::vector<std::string> programs;
    const char* received;
    int problems;
};

const Seed kSeeds[] = {
    {{"José Peña", "600 111 222", "Pantalla rota", "Soporte"},
     "PC-ÁLVARO",
     {"Microsoft Office 2003", "Adobe Reader 9"},
     "2024-01-10 08:00:00",
     0},
    {{"JOSÉ PEÑA", "+34 600", "100% lleno", "Ventas"},
     "pc-alvaro",
     {"Office_2003 Profesional"},
     "2024-01-11 23:59:59",
     2},
    {{"Ana O'Brien", "555", "'; DROP TABLE inventories; --", ""},
     "SRV_01",
     {"7-Zip 9.20"},
     "2024-01-12 00:00:00",
     0},
    {{"Ñandú", "", "ruta C:\\Datos\\", "Soporte técnico"},
     "ÑANDÚ-PC",
     {"Ñ Software"},
     "2024-02-01 12:00:00",
     1},
    {{"ana", "", "sin notas", ""}, "", {}, "2024-02-02 00:00:00", 0},
    {{"Otro", "", "", ""}, "pc-álvaro", {}, "2024-02-03 00:00:00", 0},
};

struct FilterRow {
    const char* what;
    void (*set)(InventoryQuery&);
    std::vector<int64_t> ids;  // newest first
};
const FilterRow kFilterRows[] = {
    {"everything", [](InventoryQuery&) {}, {6, 5, 4, 3, 2, 1}},
    {"a name in any case", [](InventoryQuery& q) { q.nombre = "josé peña"; }, {2, 1}},
    {"accented capitals", [](InventoryQuery& q) { q.nombre = "peÑ"; }, {2, 1}},
    {"one accented letter", [](InventoryQuery& q) { q.nombre = "ñ"; }, {4, 2, 1}},
    {"an accent is a letter of its own", [](InventoryQuery& q) { q.nombre = "JOSE"; }, {}},
    {"part of a word", [](InventoryQuery& q) { q.nombre = "ana"; }, {5, 3}},
    {"a quote", [](InventoryQuery& q) { q.nombre = "o'b"; }, {3}},
    {"a lone quote", [](InventoryQuery& q) { q.nombre = "'"; }, {3}},
    {"a telephone", [](InventoryQuery& q) { q.telefono = "600"; }, {2, 1}},
    {"a plus sign", [](InventoryQuery& q) { q.telefono = "+34"; }, {2}},
    {"a percent sign", [](InventoryQuery& q) { q.observaciones = "%"; }, {2}},
    {"a number and its percent", [](InventoryQuery& q) { q.observaciones = "100%"; }, {2}},
    {"an underscore where none is", [](InventoryQuery& q) { q.observaciones = "_"; }, {}},
    {"SQL in the remarks",
     [](InventoryQuery& q) { q.observaciones = "'; drop table inventories"; },
     {3}},
    {"a backslash", [](InventoryQuery& q) { q.observaciones = "\\"; }, {4}},
    {"a path", [](InventoryQuery& q) { q.observaciones = "C:\\DATOS\\"; }, {4}},
    {"a computer with its accent", [](InventoryQuery& q) { q.computer = "ÁLVARO"; }, {6, 1}},
    {"a computer without it", [](InventoryQuery& q) { q.computer = "alvaro"; }, {2}},
    {"the start of a name", [](InventoryQuery& q) { q.computer = "pc-"; }, {6, 2, 1}},
    {"an underscore", [](InventoryQuery& q) { q.computer = "_"; }, {3}},
    {"an underscore inside", [](InventoryQuery& q) { q.computer = "srv_0"; }, {3}},
    {"capital Ñ and Ú", [](InventoryQuery& q) { q.computer = "ñandú"; }, {4}},
    {"a program", [](InventoryQuery& q) { q.program = "OFFICE"; }, {2, 1}},
    {"a program's underscore", [](InventoryQuery& q) { q.program = "office_2003"; }, {2}},
    {"a whole program", [](InventoryQuery& q) { q.program = "adobe reader 9"; }, {1}},
    {"a program with a dash", [](InventoryQuery& q) { q.program = "7-zip"; }, {3}},
    {"an accented program", [](InventoryQuery& q) { q.program = "ñ s"; }, {4}},
    {"a destination", [](InventoryQuery& q) { q.destino = "SOPORTE"; }, {4, 1}},
    {"an accented destination", [](InventoryQuery& q) { q.destino = "TÉCNICO"; }, {4}},
    {"from a day on", [](InventoryQuery& q) { q.from = "2024-01-11"; }, {6, 5, 4, 3, 2}},
    {"up to a day, all of it", [](InventoryQuery& q) { q.to = "2024-01-11"; }, {2, 1}},
    {"two days",
     [](InventoryQuery& q) {
         q.from = "2024-01-11";
         q.to = "2024-01-12";
     },
     {3, 2}},
    {"a day that is not one", [](InventoryQuery& q) { q.to = "'; DROP"; }, {}},
    {"with problems", [](InventoryQuery& q) { q.withProblems = true; }, {4, 2}},
    {"a name with problems",
     [](InventoryQuery& q) {
         q.nombre = "peña";
         q.withProblems = true;
     },
     {2}},
    {"a computer and a program",
     [](InventoryQuery& q) {
         q.computer = "pc";
         q.program = "adobe";
     },
     {1}},
    {"a name from a day on",
     [](InventoryQuery& q) {
         q.nombre = "ana";
         q.from = "2024-02-01";
     },
     {5}},
    {"nothing like it", [](InventoryQuery& q) { q.nombre = "zzz"; }, {}},
};

class StoreSearch : public StoreContract {
protected:
    void AddSeeds() {
        for (size_t i = 0; i < std::size(kSeeds); ++i) {
            const auto& seed = kSeeds[i];
            service::Inventory inventory = Sample(int(i + 1));
            inventory.header = seed.header;
            inventory.received = seed.received;
            service::InventoryFacts facts = FactsOf(seed.computer, seed.programs);
            facts.problems = seed.problems;
            Add(inventory, facts);
        }
    }
    std::vector<int64_t> Ids(const InventoryQuery& query, int64_t* total = nullptr) {
        const service::SummaryPage page = store().Search(query);
        std::vector<int64_t> ids;
        for (const auto& row : page.rows) ids.push_back(row.id);
        if (total) *total = page.total;
        return ids;
    }
};

TEST_P(StoreSearch, EachFilterFindsWhatItSays) {
    AddSeeds();
    for (const FilterRow& row : kFilterRows) {
        InventoryQuery query;
        row.set(query);
        int64_t total = -1;
        EXPECT_EQ(Ids(query, &total), row.ids) << row.what;
        EXPECT_EQ(total, int64_t(row.ids.size())) << row.what;
    }
    // A machine's inventories: the service's rule puts "pc-álvaro" with "PC-ÁLVARO".
    InventoryQuery query;
    query.machineId = store().GetSummary(1)->machineId;
    EXPECT_EQ(Ids(query), (std::vector<int64_t>{6, 1}));
    query.machineId = 999999;
    EXPECT_EQ(Ids(query), std::vector<int64_t>{});
    EXPECT_EQ(store().ListAll().size(), std::size(kSeeds));  // no text reached the SQL
}

struct SortRow {
    const char *nombre, *telefono, *computer, *os, *cpu;
    int64_t memory;
    int sections, problems, xmlSize;
    const char* received;
};
const SortRow kSortRows[] = {
    {"beta", "3", "PC-B", "Windows XP", "Intel", 512, 2, 0, 40, "2024-01-03 00:00:00"},
    {"Alfa", "1", "pc-a", "Windows 2000", "AMD", 256, 5, 1, 10, "2024-01-01 00:00:00"},
    {"beta", "2", "PC-C", "Windows 98", "Intel", 1024, 1, 3, 30, "2024-01-02 00:00:00"},
    {"Ángel", "", "PC-A", "", "", 0, 0, 0, 20, "2024-01-05 00:00:00"},
    {"alfa", "1", "PC-B", "Windows XP", "AMD", 512, 2, 1, 40, "2024-01-04 00:00:00"},
};

std::string Digits(int64_t n) {
    const std::string digits = std::to_string(n);
    return std::string(20 - digits.size(), '0') + digits;
}

// What each column sorts row `i` by, in SortColumn's order, compared as bytes (as both stores
// compare texts).
using SortKey = std::string (*)(const SortRow&, size_t i);
const SortKey kSortKeys[] = {
    [](const SortRow&, size_t i) { return Digits(int64_t(i)); },
    [](const SortRow& r, size_t) { return std::string(r.received); },
    [](const SortRow& r, size_t) { return std::string(r.nombre); },
    [](const SortRow& r, size_t) { return std::string(r.telefono); },
    [](const SortRow& r, size_t) { return std::string(r.computer); },
    [](const SortRow& r, size_t) { return std::string(r.os); },
    [](const SortRow& r, size_t) { return std::string(r.cpu); },
    [](const SortRow& r, size_t) { return Digits(r.memory); },
    [](const SortRow& r, size_t) { return Digits(r.sections); },
    [](const SortRow& r, size_t) { return Digits(r.problems); },
    [](const SortRow& r, size_t) { return Digits(r.xmlSize); },
};
static_assert(std::size(kSortKeys) == size_t(SortColumn::Size) + 1);

// The ids in the order a column sorts them, ties broken by the id in the same direction.
std::vector<int64_t> ExpectedOrder(SortColumn column, bool descending) {
    const SortKey key = kSortKeys[size_t(column)];
    std::vector<size_t> order(std::size(kSortRows));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const std::string ka = key(kSortRows[a], a), kb = key(kSortRows[b], b);
        if (ka != kb) return descending ? kb < ka : ka < kb;
        return descending ? a > b : a < b;
    });
    std::vector<int64_t> ids;
    for (const size_t i : order) ids.push_back(int64_t(i + 1));
    return ids;
}

TEST_P(StoreSearch, SortsByEveryColumnAndPages) {
    for (size_t i = 0; i < std::size(kSortRows); ++i) {
        const SortRow& row = kSortRows[i];
        service::Inventory inventory = Sample(int(i));
        inventory.header.Nombre = row.nombre;
        inventory.header.Telefono = row.telefono;
        inventory.received = row.received;
        inventory.xml = std::string(row.xmlSize, 'x');
        service::InventoryFacts facts = FactsOf(row.computer);
        facts.os = row.os;
        facts.cpu = row.cpu;
        facts.memoryBytes = row.memory;
        facts.sectionCount = row.sections;
        facts.problems = row.problems;
        Add(inventory, facts);
    }
    for (int c = 0; c <= int(SortColumn::Size); ++c) {
        for (const bool descending : {false, true}) {
            const std::vector<int64_t> expected = ExpectedOrder(SortColumn(c), descending);
            InventoryQuery query;
            query.sort = SortColumn(c);
            query.descending = descending;
            EXPECT_EQ(Ids(query), expected) << "column " << c << (descending ? " down" : " up");
            // The same order in pages of two, each with the whole search's total.
            std::vector<int64_t> paged;
            for (query.offset = 0, query.limit = 2; query.offset < 7; query.offset += 2) {
                int64_t total = 0;
                const std::vector<int64_t> page = Ids(query, &total);
                paged.insert(paged.end(), page.begin(), page.end());
                EXPECT_EQ(total, 5);
            }
            EXPECT_EQ(paged, expected) << "column " << c;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, StoreSearch,
                         ::testing::Values(StoreKind::Sqlite, StoreKind::Postgres), StoreKindName);

}  // namespace
}  // namespace rb::test
