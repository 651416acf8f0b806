#include <malloc.h>
#include <sys/resource.h>

#include "peak_memory.h"

namespace rb::bench {

int64_t PeakMemoryKB() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    return usage.ru_maxrss;  // kilobytes on Linux
}

const char* PeakMemoryMeasure() {
    return "ru_maxrss";
}

int64_t MemoryInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<int64_t>(info.uordblks + info.hblkhd);
}

}  // namespace rb::bench
