// The peak memory of this process so far, in kilobytes (0 when the system cannot tell).
#pragma once

#include <cstdint>

namespace rb::bench {

int64_t PeakMemoryKB();
const char* PeakMemoryMeasure();  // what the figure is, for the printout
// The memory this process holds now, in bytes: what the heap has handed out natively, the
// private bytes on Windows. Differences of it measure what a step keeps.
int64_t MemoryInUse();

}  // namespace rb::bench
