#include "core/text.h"
#include "service/filing/filing.h"
#include "service/postgres_test_server.h"
#include "service/store_contract.h"

namespace rb::test {

using service::Inventory;
using service::InventoryFacts;

void StoreContract::SetUp() {
    if (GetParam() == StoreKind::Sqlite) {
        address_ = "sqlite:" + dir_.File("inventarios.db");
    } else {
        std::string why;
        address_ = PostgresTestDatabase(why);
        if (address_.empty()) GTEST_SKIP() << "PostgreSQL: " << why;
        EmptyPostgresTestDatabase(address_);
    }
    store_ = service::OpenStore(address_);
}

std::unique_ptr<service::Store> StoreContract::OpenAgain() const {
    return service::OpenStore(address_);
}

Inventory StoreContract::Sample(int n) {
    Inventory inventory;
    inventory.received = Format("2024-03-%02d 10:%02d:00", 1 + n % 28, n % 60);
    inventory.peer = "192.0.2." + std::to_string(n % 250);
    inventory.clientId = Format("{%08X-0000-4000-8000-000000000000}", unsigned(n));
    inventory.operation = n % 2 ? "AddInfo" : "AddInfoFromRequest";
    inventory.header = THeader{Format("Cliente %d", n), Format("600 000 %03d", n % 1000),
                               Format("Nota %d", n), n % 2 ? "" : "Soporte"};
    inventory.xml = Format("<InfoSistema><N>%d</N></InfoSistema>", n);
    inventory.sections = "pgWksta,pgOS";
    return inventory;
}

InventoryFacts StoreContract::FactsOf(const std::string& computer,
                                      std::vector<std::string> programs) {
    InventoryFacts facts;
    facts.computer = computer;
    facts.identity = computer;
    facts.os = "Windows XP 5.1.2600";
    facts.cpu = "GenuineIntel";
    facts.memoryBytes = 512ll << 20;
    facts.sectionCount = 2;
    facts.programs = std::move(programs);
    if (!computer.empty()) facts.machineKeys.push_back("name:" + AnsiUpperCase(computer));
    facts.version = service::kFactsVersion;
    return facts;
}

service::ChooseMachine StoreContract::NameRule(const InventoryFacts& facts) {
    return [identity = facts.identity](const std::vector<service::MachineCandidate>& candidates) {
        for (const service::MachineCandidate& c : candidates) {
            if (!identity.empty() && SameText(c.identity, identity)) return c.id;
        }
        return int64_t(0);
    };
}

int64_t StoreContract::Add(const Inventory& inventory, const InventoryFacts& facts) {
    return Add(*store_, inventory, facts);
}

int64_t StoreContract::Add(service::Store& store, const Inventory& inventory,
                           const InventoryFacts& facts) {
    return store.AddInventory(inventory, facts, NameRule(facts));
}

// Every TEST_P of the contract, in whichever file, runs against both stores.
INSTANTIATE_TEST_SUITE_P(Stores, StoreContract,
                         ::testing::Values(StoreKind::Sqlite, StoreKind::Postgres), StoreKindName);

std::string StoreKindName(const ::testing::TestParamInfo<StoreKind>& info) {
    return info.param == StoreKind::Sqlite ? "SQLite" : "PostgreSQL";
}

}  // namespace rb::test
