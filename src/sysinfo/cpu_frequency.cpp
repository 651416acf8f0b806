#include "sysinfo/cpu_frequency.h"

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <optional>

namespace rb::cpu {
namespace {

using platform::ProcessorArea;

constexpr int kTimeCritical = 15;  // THREAD_PRIORITY_TIME_CRITICAL
constexpr int kMaxTrials = 20;
constexpr int64_t kLeadTicks = 50;     // lets the time-stamp read settle on a fresh tick
constexpr int64_t kTrialTicks = 1000;  // the stretch that is timed
// A counter that stops, or fails and keeps answering one value, would spin for ever. A turn
// takes some tens of nanoseconds, so this bound (about a tenth of a second) still lets any
// counter from 10 kHz up pass 1000 ticks.
constexpr uint64_t kMaxTurns = uint64_t{1} << 22;

constexpr int64_t kEndings[] = {0, 20, 33, 50, 60, 66, 80, 90, 100};

// Round half to even, as the processor rounds by default.
int64_t Round(long double value) {
    return static_cast<int64_t>(std::nearbyint(value));
}

// Time-critical priority for one trial, so the thread is not switched out while it counts;
// the previous priority comes back on every path. Nothing changes when it cannot be read.
class RaisedPriority {
public:
    explicit RaisedPriority(ProcessorArea& p) : p_(p), previous_(p.ThreadPriority()) {
        if (previous_) p_.SetThreadPriority(kTimeCritical);
    }
    ~RaisedPriority() {
        if (previous_) p_.SetThreadPriority(*previous_);
    }
    RaisedPriority(const RaisedPriority&) = delete;
    RaisedPriority& operator=(const RaisedPriority&) = delete;

private:
    ProcessorArea& p_;
    std::optional<int> previous_;
};

// Reads the counter and the time stamp until `ticks` have passed since `start`; `now` and
// `stamp` keep the last values read. False when the counter never got there.
bool Spin(ProcessorArea& p, int64_t start, int64_t ticks, int64_t& now, uint64_t& stamp) {
    for (uint64_t turn = 0; turn < kMaxTurns; ++turn) {
        now = p.PerformanceCounter();
        stamp = p.TimeStampCounter();
        if (now - start >= ticks) return true;
    }
    return false;
}

struct Trial {
    int64_t ticks;
    uint32_t cycles;  // the time-stamp difference, 32 bits wide
};

std::optional<Trial> RunTrial(ProcessorArea& p) {
    int64_t start = p.PerformanceCounter();
    RaisedPriority raised(p);
    int64_t now = start;
    uint64_t first = 0, second = 0;
    if (!Spin(p, start, kLeadTicks, now, first)) return std::nullopt;
    start = now;
    if (!Spin(p, start, kTrialTicks, now, second)) return std::nullopt;
    return Trial{now - start, static_cast<uint32_t>(second - first)};
}

}  // namespace

int64_t ElapsedMicroseconds(int64_t ticks, int64_t counterFrequency) {
    if (counterFrequency <= 0) return 0;
    return Round(static_cast<long double>(ticks) * 100000.0L /
                 (static_cast<long double>(counterFrequency) / 10.0L));
}

int64_t TrialFrequency(uint64_t cycles, int64_t microseconds) {
    if (microseconds <= 0) return 0;
    return Round(static_cast<long double>(cycles) / microseconds);
}

bool TrialsAgree(int64_t a, int64_t b, int64_t c) {
    const int64_t sum = a + b + c;
    return std::llabs(a * 3 - sum) <= 3 && std::llabs(b * 3 - sum) <= 3 &&
           std::llabs(c * 3 - sum) <= 3;
}

int64_t CombinedFrequency(uint64_t totalCycles, int64_t totalMicroseconds) {
    if (totalMicroseconds <= 0) return 0;  // a counter too coarse to time anything
    const long double cycles = static_cast<long double>(totalCycles);
    const long double us = static_cast<long double>(totalMicroseconds);
    int64_t tenths = Round(cycles * 10 / us);
    if (Round(cycles * 100 / us) - tenths * 10 > 5) ++tenths;
    int64_t mhz = Round(cycles / us);
    if (tenths - mhz * 10 > 5) ++mhz;
    return mhz;
}

int64_t SnapFrequency(int64_t mhz) {
    const int64_t r = mhz % 100;
    for (size_t i = 1; i < std::size(kEndings); ++i) {
        if (kEndings[i] <= r) continue;
        const int64_t lo = kEndings[i - 1], hi = kEndings[i];
        return r - lo < hi - r ? mhz - (r - lo) : mhz + (hi - r);
    }
    return mhz;
}

int32_t MeasureFrequency(ProcessorArea& p) {
    const std::optional<int64_t> counterFrequency = p.PerformanceFrequency();
    if (!counterFrequency || *counterFrequency <= 0) return 0;
    // A first read outside the timed stretches: the first use of the instruction may cost a
    // check for it (tens of microseconds in a virtual machine) that would shorten a trial.
    p.TimeStampCounter();
    uint64_t totalCycles = 0;
    int64_t totalMicroseconds = 0;
    int64_t trials[kMaxTrials] = {};
    int count = 0;
    while (count < kMaxTrials) {
        if (count >= 3 && TrialsAgree(trials[count - 3], trials[count - 2], trials[count - 1])) {
            break;
        }
        const std::optional<Trial> trial = RunTrial(p);
        if (!trial) return 0;
        const int64_t us = ElapsedMicroseconds(trial->ticks, *counterFrequency);
        totalCycles += trial->cycles;
        totalMicroseconds += us;
        trials[count++] = TrialFrequency(trial->cycles, us);
    }
    return static_cast<int32_t>(SnapFrequency(CombinedFrequency(totalCycles, totalMicroseconds)));
}

}  // namespace rb::cpu
