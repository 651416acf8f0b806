// Which parts of the inventory a collection gathers: a set of twenty pages, member n being
// bit n of its 32-bit form.
#pragma once

#include <cstdint>

#include "core/set.h"

namespace rb {

enum class TProcessPage : uint8_t {
    pgWksta, pgOS, pgCPU, pgMem, pgDisplay, pgAPM, pgMedia, pgNet, pgDev, pgPrn,
    pgEng, pgDisk, pgTimeZone, pgProcs, pgStartup, pgSoftware, pgProblems, pgServices,
    pgPerformance, pgKelto
};
const EnumInfo& DescribeEnum(TProcessPage);

using TProcessPages = Set<TProcessPage>;

constexpr uint32_t kAllProcessPages = 0xFFFFF;  // all twenty selected

}  // namespace rb
