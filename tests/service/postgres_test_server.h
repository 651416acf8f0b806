// The PostgreSQL server of a test run: ctest's fixture (scripts/postgres-cluster.sh) starts a
// private one for the length of the tests and names its state file in RB_TEST_POSTGRES_FILE.
// Each run of a test program gets a database of its own, made at its first use and dropped
// when the program ends.
#pragma once

#include <string>

namespace rb::test {

// The address of this run's database, or "" with `why` saying why there is none (PostgreSQL not
// installed, or no server started for the tests).
std::string PostgresTestDatabase(std::string& why);

// Empties that database: the next store opened on it makes its schema afresh.
void EmptyPostgresTestDatabase(const std::string& address);

}  // namespace rb::test
