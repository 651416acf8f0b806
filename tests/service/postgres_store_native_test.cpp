// What only the PostgreSQL store has to show: its searches answered by indexes, its schema
// made once by services starting together, and a server that goes away or is not there.
#include <gtest/gtest.h>

#include <thread>

#include "service/postgres_test_server.h"
#include "service/store/postgres_db.h"
#include "service/store/postgres_search.h"
#include "service/store/postgres_store.h"

namespace rb::service {
namespace {

class PostgresStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        address = test::PostgresTestDatabase(why);
        if (address.empty()) GTEST_SKIP() << "PostgreSQL: " << why;
        test::EmptyPostgresTestDatabase(address);
    }
    std::string address;
};

// Each filter of a search is answered by an index: the trigram index of its search copy for a
// text, a B-tree for the others (sequential scans switched off, so that the plan shows whether
// an index can answer at all).
TEST_F(PostgresStoreTest, TheSearchesUseTheirIndexes) {
    PostgresStore store(address);
    for (int n = 0; n < 200; ++n) {
        Inventory inventory;
        inventory.clientId = "{" + std::to_string(n) + "}";
        inventory.received = "2024-01-01 00:00:00";
        inventory.header = {"Nombre " + std::to_string(n), "600", "Nota", "Soporte"};
        InventoryFacts facts;
        facts.computer = "PC-" + std::to_string(n);
        facts.programs = {"Programa " + std::to_string(n)};
        store.AddInventory(inventory, facts, nullptr);
    }
    struct Row {
        void (*set)(InventoryQuery&);
        const char* index;
    };
    const Row rows[] = {
        {[](InventoryQuery& q) { q.nombre = "Nombre 1"; }, "inventories_search_nombre"},
        {[](InventoryQuery& q) { q.telefono = "600"; }, "inventories_search_telefono"},
        {[](InventoryQuery& q) { q.observaciones = "NOTA"; }, "inventories_search_observaciones"},
        {[](InventoryQuery& q) { q.computer = "pc-12"; }, "inventories_search_computer"},
        {[](InventoryQuery& q) { q.program = "grama 7"; }, "inventories_programs"},
        {[](InventoryQuery& q) { q.destino = "sopor"; }, "inventories_search_destino"},
        {[](InventoryQuery& q) { q.from = "2024-01-02"; }, "inventories_received"},
        {[](InventoryQuery& q) { q.machineId = 3; }, "inventories_machine"},
        {[](InventoryQuery& q) { q.withProblems = true; }, "inventories_problems"},
    };
    pg::Connection c(address);
    c.Run("ANALYZE inventories; ANALYZE programs; SET enable_seqscan = off;");
    for (const Row& row : rows) {
        InventoryQuery query;
        row.set(query);
        const pg::SearchTerms terms =
            pg::PostgresSearchTerms(query, pg::ProgramsLike(c, query.program));
        const pg::Result plan =
            c.Exec("EXPLAIN SELECT count(*) FROM inventories i" + terms.where, terms.params);
        std::string text;
        for (int line = 0; line < plan.Rows(); ++line) text += plan.Column(line, 0) + "\n";
        EXPECT_NE(text.find(row.index), std::string::npos) << terms.where << "\n" << text;
    }
}

TEST_F(PostgresStoreTest, ServicesStartingTogetherMakeOneSchema) {
    std::vector<std::thread> threads;
    std::vector<int> versions(4, -1);
    for (size_t i = 0; i < versions.size(); ++i) {
        threads.emplace_back([&, i] { versions[i] = PostgresStore(address).SchemaVersion(); });
    }
    for (std::thread& thread : threads) thread.join();
    for (const int version : versions) EXPECT_EQ(version, versions[0]);
    EXPECT_GT(versions[0], 0);
    EXPECT_EQ(pg::Connection(address).Exec("SELECT count(*) FROM schema_version").Int(0, 0), 1);
}

TEST_F(PostgresStoreTest, AStoreOfALaterServiceIsRefused) {
    PostgresStore(address).AddAccount({0, "ana", Role::Admin, "h", false, ""});
    pg::Connection(address).Run("UPDATE schema_version SET version = 99");
    try {
        PostgresStore store(address);
        FAIL() << "opened a store of version 99";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("posterior del servicio (99)"), std::string::npos)
            << e.what();
    }
}

TEST_F(PostgresStoreTest, AServerThatIsNotThereGivesAClearError) {
    const std::pair<const char*, const char*> rows[] = {
        {"postgresql://postgres@127.0.0.1:1/kestrin", "No se pudo conectar con PostgreSQL"},
        {"postgresql://postgres@127.0.0.1:1/kestrin?connect_timeout=x",
         "No se pudo conectar con PostgreSQL"},
        {"mysql://127.0.0.1/kestrin", "Dirección de base de datos no admitida"},
    };
    for (const auto& [where, error] : rows) {
        try {
            OpenStore(where);
            ADD_FAILURE() << where;
        } catch (const Exception& e) {
            EXPECT_NE(std::string(e.what()).find(error), std::string::npos) << e.what();
        }
    }
}

// The server drops every connection (as a restart does): a call on a dropped connection fails,
// the connection is made anew, and the store goes on.
TEST_F(PostgresStoreTest, ConnectionsTheServerDroppedAreMadeAnew) {
    PostgresStore store(address, 3);
    Inventory inventory;
    inventory.xml = "<x/>";
    const int64_t id = store.AddInventory(inventory, InventoryFacts(), nullptr);
    std::vector<std::thread> busy;  // three connections in the pool
    for (int i = 0; i < 3; ++i) busy.emplace_back([&] { store.ListAll(); });
    for (std::thread& thread : busy) thread.join();
    pg::Connection(address).Exec(
        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
        " WHERE datname = current_database() AND pid <> pg_backend_pid()");
    int failures = 0;
    for (int call = 0; call < 6; ++call) {
        try {
            EXPECT_EQ(store.GetInventory(id)->xml, "<x/>");
        } catch (const Exception&) {
            ++failures;
        }
    }
    EXPECT_LE(failures, 3);
    EXPECT_EQ(store.GetInventory(id)->xml, "<x/>");
}

}  // namespace
}  // namespace rb::service
