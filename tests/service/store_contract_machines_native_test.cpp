// The store contract, machines: which machine an inventory goes to, what a machine shows, and
// removing old inventories with what that does to their machines.
#include "service/filing/filing.h"
#include "service/store_contract.h"

namespace rb::test {
namespace {

using service::InventoryFacts;
using service::MachineCandidate;

TEST_P(StoreContract, PlacesEachInventoryInItsMachine) {
    std::vector<std::vector<int64_t>> offered;  // the candidates' ids, per inventory
    const auto add = [&](int n, const char* computer, const char* received, bool anew = false) {
        service::Inventory inventory = Sample(n);
        inventory.received = received;
        const InventoryFacts facts = FactsOf(computer);
        const service::ChooseMachine rule = NameRule(facts);
        return store().AddInventory(inventory, facts,
                                    [&](const std::vector<MachineCandidate>& candidates) {
                                        offered.emplace_back();
                                        for (const auto& c : candidates) {
                                            offered.back().push_back(c.id);
                                        }
                                        return anew ? 0 : rule(candidates);
                                    });
    };
    const int64_t a1 = add(1, "PC-1", "2024-01-01 10:00:00");
    const int64_t a2 = add(2, "pc-1", "2024-01-03 10:00:00");
    const int64_t b1 = add(3, "PC-2", "2024-01-02 10:00:00");
    const int64_t c1 = add(4, "", "2024-01-02 10:00:00");
    const int64_t d1 = add(5, "PC-1", "2024-01-04 10:00:00", true);  // the rule says "another"
    const int64_t e1 = add(6, "Pc-1", "2024-01-02 12:00:00");
    const auto machineOf = [&](int64_t id) { return store().GetSummary(id)->machineId; };
    const int64_t m1 = machineOf(a1), md = machineOf(d1);
    // No name and no key (a document that could not be read): no machine, nothing to choose.
    ASSERT_EQ(offered.size(), 5u);
    EXPECT_EQ(offered[1], std::vector<int64_t>{m1});
    EXPECT_EQ(offered[3], std::vector<int64_t>{m1});
    EXPECT_EQ(offered[4], (std::vector<int64_t>{m1, md}));
    EXPECT_EQ(machineOf(a2), m1);
    EXPECT_EQ(machineOf(e1), m1);
    EXPECT_NE(machineOf(b1), m1);
    EXPECT_NE(md, m1);
    EXPECT_EQ(machineOf(c1), 0);

    const std::optional<service::MachineRecord> machine = store().GetMachine(m1);
    ASSERT_TRUE(machine);
    EXPECT_EQ(machine->computer, "Pc-1");  // as its latest inventory names it
    EXPECT_EQ(machine->firstInventory, a1);
    EXPECT_EQ(machine->lastInventory, e1);
    EXPECT_EQ(machine->lastReceived, "2024-01-03 10:00:00");  // the latest to arrive
    EXPECT_EQ(machine->inventories, 3);
    EXPECT_FALSE(store().GetMachine(999999));

    // The one most recently heard from first; ties, the newer machine first.
    std::vector<int64_t> listed;
    for (const auto& m : store().ListMachines(0, 100)) listed.push_back(m.id);
    const std::vector<int64_t> order = {md, m1, machineOf(b1)};
    EXPECT_EQ(listed, order);
    std::vector<int64_t> page;
    for (const auto& m : store().ListMachines(1, 2)) page.push_back(m.id);
    EXPECT_EQ(page, (std::vector<int64_t>{m1, machineOf(b1)}));
    EXPECT_TRUE(store().ListMachines(3, 10).empty());
}

// Each step removes what was received before its time, keeping each machine's latest unless
// told otherwise; the machines then count what is left, and one left with none goes.
TEST_P(StoreContract, PrunesOldInventories) {
    struct Arrival {
        const char* computer;
        const char* received;
    };
    const Arrival arrivals[] = {
        {"PC-X", "2024-01-01 00:00:00"}, {"PC-X", "2024-02-01 00:00:00"},
        {"PC-Y", "2024-01-15 00:00:00"}, {"PC-X", "2024-03-01 00:00:00"},
        {"PC-Z", "2024-04-01 00:00:00"},
    };
    for (size_t i = 0; i < std::size(arrivals); ++i) {
        service::Inventory inventory = Sample(int(i + 1));
        inventory.received = arrivals[i].received;
        Add(inventory, FactsOf(arrivals[i].computer));
    }
    const int64_t x = store().GetSummary(1)->machineId, y = store().GetSummary(3)->machineId;
    struct Step {
        const char* before;
        bool keepLatest;
        std::vector<int64_t> removed, left;
        int64_t xCount;  // 0: machine X is gone
        bool yStays;
    };
    const Step steps[] = {
        {"2024-03-01 00:00:00", true, {1, 2}, {3, 4, 5}, 1, true},
        {"2024-03-01 00:00:00", false, {3}, {4, 5}, 1, false},
        {"2025-01-01 00:00:00", true, {}, {4, 5}, 1, false},
        {"2025-01-01 00:00:00", false, {4, 5}, {}, 0, false},
    };
    for (const Step& step : steps) {
        const std::vector<service::InventorySummary> removed =
            store().Prune(step.before, step.keepLatest);
        std::vector<int64_t> ids, left;
        for (const auto& row : removed) ids.push_back(row.id);
        for (const auto& row : store().ListAll()) left.push_back(row.id);
        EXPECT_EQ(ids, step.removed) << step.before << " " << step.keepLatest;
        EXPECT_EQ(left, step.left) << step.before << " " << step.keepLatest;
        const std::optional<service::MachineRecord> mx = store().GetMachine(x);
        EXPECT_EQ(mx ? mx->inventories : 0, step.xCount);
        if (mx) EXPECT_EQ(mx->firstInventory, 4);
        EXPECT_EQ(store().GetMachine(y).has_value(), step.yStays);
        EXPECT_EQ(store().Search(service::InventoryQuery()).total, int64_t(step.left.size()));
        service::InventoryQuery query;
        query.nombre = "cliente";  // the search copies go with their rows
        EXPECT_EQ(store().Search(query).total, int64_t(step.left.size()));
    }
    EXPECT_TRUE(store().ListMachines(0, 10).empty());
    // A computer whose machine went comes back as a new one.
    const int64_t again = Add(Sample(9), FactsOf("PC-Y"));
    EXPECT_NE(store().GetSummary(again)->machineId, y);
    EXPECT_EQ(store().GetMachine(store().GetSummary(again)->machineId)->inventories, 1);
}

// A machine's history: each inventory's previous one, the changes kept of it (replaced when
// kept again), a machine's list newest first, and the recent changes of every machine.
TEST_P(StoreContract, KeepsEachInventorysChangesSinceThePreviousOne) {
    const int64_t a1 = Add(Sample(1), FactsOf("PC-A"));
    const int64_t b1 = Add(Sample(2), FactsOf("PC-B"));
    const int64_t a2 = Add(Sample(3), FactsOf("PC-A"));
    const int64_t machine = store().GetSummary(a1)->machineId;
    EXPECT_EQ(store().PreviousInventory(machine, a2), a1);
    EXPECT_EQ(store().PreviousInventory(machine, a1), 0);
    EXPECT_EQ(store().PreviousInventory(store().GetSummary(b1)->machineId, b1), 0);
    const service::ChangeRecord rows[] = {
        {a1, 0, machine, "2024-03-01 10:00:00", 0, "primer inventario", 1},
        {a2, a1, machine, "2024-03-05 10:00:00", 1, "+1 programa", 1},
        {a2, a1, machine, "2024-03-05 10:00:00", 2, "+1 programa, -1 servicio", 2},  // again
        {b1, 0, store().GetSummary(b1)->machineId, "2024-03-02 10:00:00", 3, "memoria", 1},
    };
    for (const service::ChangeRecord& r : rows) store().SaveChanges(r);
    const std::vector<service::ChangeRecord> kept = OpenAgain()->ChangesOf(machine);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].inventoryId, a2);
    EXPECT_EQ(kept[0].changes, 2);
    EXPECT_EQ(kept[0].summary, "+1 programa, -1 servicio");
    EXPECT_EQ(kept[0].version, 2);
    EXPECT_EQ(kept[1].previousId, 0);
    const auto since = store().ChangesSince("2024-03-02 00:00:00", 10);
    ASSERT_EQ(since.size(), 2u);  // without the first inventory, which changed nothing
    EXPECT_EQ(since[0].inventoryId, a2);
    EXPECT_EQ(since[1].inventoryId, b1);
    EXPECT_EQ(store().ChangesSince("2024-03-02 00:00:00", 1).size(), 1u);
}

// A document that could not be read has no machine; a key that many machines share finds
// none of them.
TEST_P(StoreContract, UnreadableDocumentsHaveNoMachineAndSharedKeysFindNone) {
    InventoryFacts unread;
    unread.version = service::kFactsVersion;
    const int64_t lost = Add(Sample(1), unread);
    EXPECT_EQ(store().GetSummary(lost)->machineId, 0);
    EXPECT_TRUE(store().GetInventory(lost));
    std::vector<size_t> offered;
    for (int n = 0; n < 18; ++n) {
        InventoryFacts facts = FactsOf("PC-" + std::to_string(n));
        facts.machineKeys.push_back("producto:12345-OEM");  // one licence for all of them
        store().AddInventory(Sample(10 + n), facts,
                             [&](const std::vector<MachineCandidate>& candidates) {
                                 offered.push_back(candidates.size());
                                 return int64_t(0);
                             });
    }
    EXPECT_EQ(offered[1], 1u);
    EXPECT_EQ(offered[16], 16u);
    EXPECT_EQ(offered[17], 0u);  // 17 machines share it: it tells none apart
}

}  // namespace
}  // namespace rb::test
