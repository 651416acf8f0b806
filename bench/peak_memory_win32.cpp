#include <windows.h>
// psapi.h needs the types of windows.h first.
#include <psapi.h>

#include "peak_memory.h"

namespace rb::bench {

int64_t PeakMemoryKB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return 0;
    return static_cast<int64_t>(counters.PeakWorkingSetSize / 1024);
}

const char* PeakMemoryMeasure() {
    return "PeakWorkingSetSize";
}

int64_t MemoryInUse() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    auto* plain = reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), plain, sizeof(counters))) return 0;
    return static_cast<int64_t>(counters.PrivateUsage);
}

}  // namespace rb::bench
