#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

#include "service/postgres_test_server.h"
#include "service/store/postgres_db.h"

namespace rb::test {
namespace {

// The value of `key` in the fixture's state file ("key=value" lines).
std::string StateValue(const std::string& file, const std::string& key) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
    }
    return "";
}

// This run's database: made on the server at first use, dropped when the program ends.
class RunDatabase {
public:
    RunDatabase() {
        const char* state = std::getenv("RB_TEST_POSTGRES_FILE");
        if (!state || !*state) {
            why_ =
                "no PostgreSQL server for the tests (ctest starts one through the fixture "
                "postgres_server; else set RB_TEST_POSTGRES_FILE to its state file)";
            return;
        }
        why_ = StateValue(state, "unavailable");
        server_ = StateValue(state, "url");
        if (!why_.empty()) return;
        if (server_.empty()) {
            why_ = std::string("the PostgreSQL server's state file ") + state + " names no server";
            return;
        }
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        name_ = "kestrin_test_" + std::to_string(getpid()) + "_" +
                std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
        service::pg::Connection(server_).Run("CREATE DATABASE " + name_);
        address_ = server_.substr(0, server_.rfind('/') + 1) + name_;
    }
    ~RunDatabase() {
        if (name_.empty()) return;
        try {
            service::pg::Connection(server_).Run("DROP DATABASE IF EXISTS " + name_ +
                                                 " WITH (FORCE)");
        } catch (const std::exception&) {
            // The server goes with the fixture's cleanup, and the database with it.
        }
    }
    const std::string& Address() const { return address_; }
    const std::string& Why() const { return why_; }

private:
    std::string server_, name_, address_, why_;
};

}  // namespace

std::string PostgresTestDatabase(std::string& why) {
    static const RunDatabase database;
    why = database.Why();
    return database.Address();
}

void EmptyPostgresTestDatabase(const std::string& address) {
    service::pg::Connection(address).Run(
        "DROP SCHEMA IF EXISTS public CASCADE; CREATE SCHEMA public;");
}

}  // namespace rb::test
