// A PostgreSQL store filled quickly with many generated inventories, for the list and search
// benchmark: rows as the service would file them (names with accents, a computer per machine,
// about 80 programs each from a pool of a few thousand, some more common than others), written
// with COPY while the store's secondary indexes are set aside, then the indexes made again.
#pragma once

#include <cstdint>
#include <string>

namespace rb::bench {

// What the generated rows hold, for the searches to look for.
struct GeneratedStore {
    int64_t rows = 0, machines = 0;
    std::string rareProgram;    // found in about 1 row of 200
    std::string commonProgram;  // found in about 1 row of 3
    std::string computerPart;   // part of the names of about 10 machines
};

// What FillStore puts in a store of `rows` inventories.
GeneratedStore Describe(int64_t rows);
// Fills the (empty) store at `address` with `rows` inventories; prints how long it took.
GeneratedStore FillStore(const std::string& address, int64_t rows);

}  // namespace rb::bench
