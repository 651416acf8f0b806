// The store contract, inventories: every text kept byte for byte, one row per call whatever
// retries and services do, the summary of the list, and filing again.
#include <algorithm>
#include <random>
#include <set>
#include <thread>

#include "service/filing/filing.h"
#include "service/store_contract.h"

namespace rb::test {
namespace {

using service::Inventory;
using service::InventoryFacts;

void ExpectSame(const Inventory& got, const Inventory& sent, const std::string& what) {
    EXPECT_EQ(got.received, sent.received) << what;
    EXPECT_EQ(got.peer, sent.peer) << what;
    EXPECT_EQ(got.clientId, sent.clientId) << what;
    EXPECT_EQ(got.operation, sent.operation) << what;
    EXPECT_EQ(got.header.Nombre, sent.header.Nombre) << what;
    EXPECT_EQ(got.header.Telefono, sent.header.Telefono) << what;
    EXPECT_EQ(got.header.Observaciones, sent.header.Observaciones) << what;
    EXPECT_EQ(got.header.Destino, sent.header.Destino) << what;
    EXPECT_TRUE(got.xml == sent.xml) << what << ": the XML differs (" << got.xml.size()
                                     << " bytes kept of " << sent.xml.size() << ")";
    EXPECT_EQ(got.sections, sent.sections) << what;
}

std::string EveryByte(size_t size) {
    std::string bytes;
    std::mt19937 random(17);
    for (size_t i = 0; i < size; ++i) bytes += static_cast<char>(i < 256 ? i : random());
    return bytes;
}

TEST_P(StoreContract, KeepsEveryTextByteForByte) {
    struct Row {
        const char* what;
        Inventory inventory;
    };
    std::vector<Row> rows = {
        {"empty texts", Inventory()}, {"accents and line breaks", Sample(1)},
        {"every byte", Sample(2)},    {"hostile texts", Sample(3)},
        {"long texts", Sample(4)},
    };
    rows[1].inventory.header = {"José Peña", "+34 600", "línea 1\r\nlínea 2\r\n\t¿sí?",
                                "Soporte técnico"};
    rows[1].inventory.xml = "<InfoSistema>€ ñ Ü „“ œ Ÿ</InfoSistema>\r\n";
    rows[1].inventory.sections = "pgWksta,pgOS,año";
    rows[2].inventory.header = {std::string("a\0b", 3), EveryByte(256).substr(1), "\x81\x8D", ""};
    rows[2].inventory.xml = EveryByte(4096);
    rows[2].inventory.peer = "::1";
    rows[3].inventory.header = {"'; DROP TABLE inventories; --", "%_\\", "\"comillas\" y 'otras'",
                                "$1 :nombre ? \\x00"};
    rows[3].inventory.clientId = "{'); DELETE FROM inventories; --}";
    rows[4].inventory.xml = EveryByte(3 << 20);
    rows[4].inventory.header.Nombre = std::string(65536, 'N');
    rows[4].inventory.header.Observaciones = std::string(65536, 'o');
    for (size_t i = 0; i < rows.size(); ++i) {
        // The last one's computer and a program have long names too.
        const InventoryFacts facts =
            i + 1 < rows.size() ? FactsOf("PC-" + std::to_string(i))
                                : FactsOf(std::string(20000, 'L'), {std::string(20000, 'P')});
        EXPECT_EQ(Add(rows[i].inventory, facts), int64_t(i + 1)) << rows[i].what;
    }
    for (const auto sort : {service::SortColumn::Nombre, service::SortColumn::Computer}) {
        service::InventoryQuery query;
        query.sort = sort;
        EXPECT_EQ(store().Search(query).rows.size(), rows.size());
    }
    service::InventoryQuery query;
    query.program = "ppp";
    query.computer = "lll";
    EXPECT_EQ(store().Search(query).total, 1);
    const std::unique_ptr<service::Store> again = OpenAgain();
    for (service::Store* s : {&store(), again.get()}) {
        for (size_t i = 0; i < rows.size(); ++i) {
            const std::optional<Inventory> got = s->GetInventory(int64_t(i + 1));
            ASSERT_TRUE(got) << rows[i].what;
            EXPECT_EQ(got->id, int64_t(i + 1));
            ExpectSame(*got, rows[i].inventory, rows[i].what);
            EXPECT_EQ(s->GetSummary(int64_t(i + 1))->xmlSize,
                      int64_t(rows[i].inventory.xml.size()));
        }
        EXPECT_EQ(s->ListAll().size(), rows.size());
        for (const int64_t absent : {int64_t(0), int64_t(-1), int64_t(rows.size() + 1)}) {
            EXPECT_FALSE(s->GetInventory(absent)) << absent;
            EXPECT_FALSE(s->GetSummary(absent)) << absent;
        }
    }
}

TEST_P(StoreContract, TheSummaryCarriesWhatTheInventoryIsFiledUnder) {
    Inventory inventory = Sample(7);
    inventory.xml = std::string(1234, 'x');
    InventoryFacts facts = FactsOf("Equipo-Ñ", {"Programa A", "Programa B"});
    facts.os = "Windows 2000 5.0.2195";
    facts.cpu = "AuthenticAMD";
    facts.memoryBytes = 3ll << 30;
    facts.problems = 4;
    facts.sectionCount = 9;
    const int64_t id = Add(inventory, facts);
    const std::vector<service::InventorySummary> rows = {*store().GetSummary(id),
                                                         store().ListAll().at(0)};
    for (const service::InventorySummary& row : rows) {
        EXPECT_EQ(row.id, id);
        EXPECT_EQ(row.received, inventory.received);
        EXPECT_EQ(row.peer, inventory.peer);
        EXPECT_EQ(row.header.Nombre, inventory.header.Nombre);
        EXPECT_EQ(row.header.Destino, inventory.header.Destino);
        EXPECT_EQ(row.sections, inventory.sections);
        EXPECT_EQ(row.xmlSize, 1234);
        EXPECT_EQ(row.facts.computer, "Equipo-Ñ");
        EXPECT_EQ(row.facts.os, facts.os);
        EXPECT_EQ(row.facts.cpu, facts.cpu);
        EXPECT_EQ(row.facts.memoryBytes, 3ll << 30);
        EXPECT_EQ(row.facts.problems, 4);
        EXPECT_EQ(row.facts.sectionCount, 9);
        EXPECT_TRUE(row.facts.programs.empty());
        EXPECT_NE(row.machineId, 0);
        EXPECT_EQ(store().GetMachine(row.machineId)->computer, "Equipo-Ñ");
    }
}

// The operation, the header and the XML make a call what it is, with its client; when it
// arrived, from where, and what it says of its sections do not.
TEST_P(StoreContract, TheSameCallIsStoredOnce) {
    const Inventory first = Sample(1);
    struct Row {
        const char* what;
        void (*change)(Inventory&);
        int64_t receipt;
    };
    const Row rows[] = {
        {"the call itself", [](Inventory&) {}, 1},
        {"the same call again", [](Inventory&) {}, 1},
        {"another client", [](Inventory& i) { i.clientId[1] = 'F'; }, 2},
        {"another operation", [](Inventory& i) { i.operation = "AddInfoFromRequest"; }, 3},
        {"another name", [](Inventory& i) { i.header.Nombre += "."; }, 4},
        {"another telephone", [](Inventory& i) { i.header.Telefono += "."; }, 5},
        {"other remarks", [](Inventory& i) { i.header.Observaciones += "."; }, 6},
        {"another destination", [](Inventory& i) { i.header.Destino += "."; }, 7},
        {"one byte of the XML", [](Inventory& i) { i.xml.back() ^= 1; }, 8},
        {"the name's text moved into the telephone",
         [](Inventory& i) {
             i.header.Telefono = i.header.Nombre + i.header.Telefono;
             i.header.Nombre.clear();
         },
         9},
        {"received later, from elsewhere",
         [](Inventory& i) {
             i.received = "2030-01-01 00:00:00";
             i.peer = "198.51.100.1";
             i.sections = "pgCPU";
         },
         1},
    };
    for (const Row& row : rows) {
        Inventory inventory = first;
        row.change(inventory);
        EXPECT_EQ(Add(inventory, FactsOf("PC")), row.receipt) << row.what;
    }
    // Also after the store is opened again, and the first text is what is kept.
    EXPECT_EQ(Add(*OpenAgain(), first, FactsOf("PC")), 1);
    EXPECT_EQ(store().ListAll().size(), 9u);
    EXPECT_EQ(store().GetInventory(1)->peer, first.peer);
    EXPECT_EQ(store().GetMachine(store().GetSummary(1)->machineId)->inventories, 9);
}

// Two services (two stores on one database) receive the same calls at the same moments, in
// different orders: each call is kept once, and everyone who sent it got its one receipt.
TEST_P(StoreContract, TwoServicesReceivingOneCallAtOnceStoreItOnce) {
    constexpr int kCalls = 24, kThreads = 8;
    const std::unique_ptr<service::Store> second = OpenAgain();
    std::vector<std::vector<int64_t>> receipts(kThreads, std::vector<int64_t>(kCalls));
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            std::vector<int> order(kCalls);
            for (int i = 0; i < kCalls; ++i) order[i] = i;
            std::shuffle(order.begin(), order.end(), std::mt19937(t));
            service::Store& on = t % 2 ? *second : store();
            for (const int call : order) {
                receipts[t][call] =
                    Add(on, Sample(call), FactsOf("PC-" + std::to_string(call % 4)));
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    std::set<int64_t> ids;
    for (int call = 0; call < kCalls; ++call) {
        for (int t = 1; t < kThreads; ++t) EXPECT_EQ(receipts[t][call], receipts[0][call]);
        ids.insert(receipts[0][call]);
        ExpectSame(*store().GetInventory(receipts[0][call]), Sample(call), "a call");
    }
    EXPECT_EQ(ids.size(), size_t(kCalls));
    EXPECT_EQ(store().ListAll().size(), size_t(kCalls));
    // And one machine per computer, which counts its own.
    const std::vector<service::MachineRecord> machines = store().ListMachines(0, 100);
    ASSERT_EQ(machines.size(), 4u);
    for (const service::MachineRecord& machine : machines) {
        EXPECT_EQ(machine.inventories, kCalls / 4) << machine.computer;
    }
}

TEST_P(StoreContract, FilesAgainWhatAnOlderRuleFiled) {
    for (int n = 1; n <= 4; ++n) {
        InventoryFacts facts = FactsOf("PC-" + std::to_string(n));
        facts.version = n == 4 ? 1 : 0;
        Add(Sample(n), facts);
    }
    const int64_t machine = store().GetSummary(2)->machineId;
    std::vector<int64_t> read;
    const auto file = [&read](const Inventory& inventory) {
        read.push_back(inventory.id);
        InventoryFacts facts = FactsOf("Nuevo-" + std::to_string(inventory.id), {"Nuevo programa"});
        facts.problems = 1;
        return facts;
    };
    const auto choose = [](const InventoryFacts& facts) { return NameRule(facts); };
    EXPECT_EQ(store().Refile(1, file, choose), 3);
    EXPECT_EQ(read, (std::vector<int64_t>{1, 2, 3}));
    EXPECT_EQ(OpenAgain()->Refile(1, file, choose), 0);
    EXPECT_EQ(store().GetSummary(2)->facts.computer, "Nuevo-2");
    EXPECT_EQ(store().GetSummary(2)->machineId, machine);  // its machine stays
    EXPECT_EQ(store().GetSummary(4)->facts.computer, "PC-4");
    service::InventoryQuery query;
    query.program = "NUEVO";
    EXPECT_EQ(store().Search(query).total, 3);
    query = service::InventoryQuery();
    query.withProblems = true;
    EXPECT_EQ(store().Search(query).total, 3);
}

}  // namespace
}  // namespace rb::test
