// The large synthetic inventory the benchmarks measure: thousands of devices, processes,
// installed programs and services, with accented texts.
#pragma once

#include "sysinfo/msystem_info.h"

namespace rb::bench {

struct Size {
    int devices, processes, software, services;
};
constexpr Size kFull{5000, 2000, 10000, 500};

void BuildSyntheticInventory(TMSystemInfo& info, const Size& size);

}  // namespace rb::bench
