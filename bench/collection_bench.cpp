// A full collection of every section on the running system, as the program does it: prints
// the aggregate's own timing of each step (GetTickCount, milliseconds), the sum of the steps,
// the whole refresh measured with a steady clock, and the error list. Run several times to see
// the spread; the first run of a process also pays for loading the system's libraries.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "sysinfo/msystem_info.h"
#include "sysinfo/si_performance_info.h"
#include "sysinfo/string_collection.h"

namespace rb::bench {
namespace {

double OneCollection(bool print) {
    TMSystemInfo info;
    const auto start = std::chrono::steady_clock::now();
    try {
        info.Refresh();
    } catch (const std::exception& e) {
        std::printf("the refresh stopped: %s\n", e.what());
    }
    const double whole =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!print) return whole;
    uint32_t sum = 0;
    for (int i = 0; i < info.PerformanceInfo->Count(); ++i) {
        const auto& item = info.PerformanceInfo->ItemAs<TPerformanceItem>(i);
        std::printf("  %-20s %6u ms\n", item.TestName.c_str(), item.TimeElapsed);
        sum += item.TimeElapsed;
    }
    std::printf("  %-20s %6u ms\n", "(sum of the steps)", sum);
    std::printf("  %-20s %9.1f ms\n", "(whole refresh)", whole);
    std::printf("errors: %d\n", info.ErrorList->Count());
    for (int i = 0; i < info.ErrorList->Count(); ++i) {
        std::printf("  %s\n", info.ErrorList->Get(i).c_str());
    }
    return whole;
}

}  // namespace
}  // namespace rb::bench

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    double best = 0;
    for (int run = 1; run <= runs; ++run) {
        std::printf("run %d\n", run);
        const double whole = rb::bench::OneCollection(true);
        best = run == 1 || whole < best ? whole : best;
    }
    std::printf("best whole refresh of %d: %.1f ms\n", runs, best);
    return 0;
}
