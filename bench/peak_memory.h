// The peak memory of this process so far, in kilobytes (0 when the system cannot tell).
#pragma once

#include <cstdint>

namespace rb::bench {

int64_t PeakMemoryKB();
const char* PeakMemoryMeasure();  // what the figure is, for the printout

}  // namespace rb::bench
