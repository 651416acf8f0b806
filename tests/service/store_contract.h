// The contract every store keeps, run against each of them: SQLite in a fresh file, PostgreSQL
// in a fresh schema of the test run's database (skipped, saying why, where there is none).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/exception.h"
#include "service/store/store.h"
#include "test_files.h"

namespace rb::test {

enum class StoreKind { Sqlite, Postgres };

class StoreContract : public ::testing::TestWithParam<StoreKind> {
protected:
    void SetUp() override;
    // The store under test, and another one opened on the same database (as a second service
    // would).
    service::Store& store() { return *store_; }
    std::unique_ptr<service::Store> OpenAgain() const;
    // The --db address of the store under test.
    const std::string& Address() const { return address_; }

    // An inventory numbered `n`: its texts differ from every other number's.
    static service::Inventory Sample(int n);
    // Facts of a computer, with the program list and its machine key (as the filing rule
    // writes them).
    static service::InventoryFacts FactsOf(const std::string& computer,
                                           std::vector<std::string> programs = {});
    // The machine rule of these tests: the candidate whose identity is the computer's name, in
    // any case (the service's own rule over fingerprints has tests of its own).
    static service::ChooseMachine NameRule(const service::InventoryFacts& facts);
    // Stores it with those facts, the machine chosen by NameRule.
    int64_t Add(const service::Inventory& inventory, const service::InventoryFacts& facts);
    int64_t Add(service::Store& store, const service::Inventory& inventory,
                const service::InventoryFacts& facts);

private:
    TempDir dir_;
    std::string address_;
    std::unique_ptr<service::Store> store_;
};

std::string StoreKindName(const ::testing::TestParamInfo<StoreKind>& info);
inline void PrintTo(StoreKind kind, std::ostream* out) {
    *out << (kind == StoreKind::Sqlite ? "SQLite" : "PostgreSQL");
}

}  // namespace rb::test
