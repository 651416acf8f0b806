// The difference of two large synthetic inventories, the later one slightly changed (a
// program added, one updated, a device removed and one renamed with a new driver, a service's
// start type, the memory): prints the best of five times, by default and with the values of
// the run, at half and at full size, and the changes found. Goal: the full size within 5 ms.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "compare/change_text.h"
#include "compare/diff.h"
#include "core/cp1252.h"
#include "synthetic_inventory.h"

namespace rb::bench {
namespace {

template <class F>
double BestOfFive(F&& run) {
    double best = 1e30;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void Build(TMSystemInfo& info, const Size& size) {
    BuildSyntheticInventory(info, size);
    info.Software->Installed->Add("Contabilidad 2.1");
}

// The devices between a third and a half are matched by key (the one renamed stops the run of
// identical items from the start, the one removed the run from the end).
void SlightlyChange(TMSystemInfo& info, const Size& size) {
    info.Software->Installed->Put(size.software, "Contabilidad 2.2");
    info.Software->Installed->Add("Visor PDF 9.1");
    info.Devices->Delete(size.devices / 2);
    TDevice& renamed = info.Devices->Device(size.devices / 3);
    renamed.FriendlyName += " (2)";
    renamed.DriverVersion = "5.1.2600.9999";
    info.Services->Items(size.services / 2).StartType = TStartType::stManual;
    info.Memory->PhysicalTotal = int64_t{2} << 30;
    info.Processes->ItemAs<TProcess>(0).Pid = 1;  // counted only with the values of the run
}

void Measure(const char* label, const Size& size, bool printChanges) {
    TMSystemInfo before, after;
    Build(before, size);
    Build(after, size);
    SlightlyChange(after, size);
    compare::Difference d, all;
    const double ms = BestOfFive([&] { d = compare::DiffInventories(before, after); });
    const compare::DiffOptions everything{true};
    const double allMs =
        BestOfFive([&] { all = compare::DiffInventories(before, after, everything); });
    std::printf("%-5s %5d devices, %5d programs, %4d services, %5d processes\n", label,
                size.devices, size.software, size.services, size.processes);
    std::printf("      diff: %7.2f ms, %zu changes; with the values of the run: %7.2f ms, %zu "
                "changes\n",
                ms, d.changes.size(), allMs, all.changes.size());
    if (!printChanges) return;
    for (const compare::Change& c : d.changes) {
        std::printf("        %s\n", Cp1252ToUtf8(compare::ChangeLine(c)).c_str());
    }
    std::printf("      summary: %s\n", compare::ChangeSummaryUtf8(d.changes).c_str());
}

}  // namespace
}  // namespace rb::bench

int main() {
    using rb::bench::kFull;
    const rb::bench::Size half{kFull.devices / 2, kFull.processes / 2, kFull.software / 2,
                               kFull.services / 2};
    rb::bench::Measure("half", half, false);
    rb::bench::Measure("full", kFull, true);
    return 0;
}
