// Inventories like the ones customers send, varied enough for the service's benchmarks: the
// golden inventory (about 20 KB) with another computer's name, addresses, BIOS, memory and
// 30 to 80 programs of a few hundred, and a sender's header.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "connection/package_file.h"

namespace rb::bench {

class RealisticInventories {
public:
    explicit RealisticInventories(std::string golden, uint32_t seed = 7);
    // The document of inventory `version` of computer `machine` (later versions of a computer
    // have a few programs more and sometimes more memory).
    std::string Document(int64_t machine, int version);
    THeader Header();

private:
    std::string golden_;
    std::mt19937 random_;
};

// The committed golden inventory (tests/data/viewer/inventario.xml).
std::string GoldenDocument();

}  // namespace rb::bench
