// The processor clock, measured against the performance counter: the time-stamp counter's
// cycles over a known number of counter ticks, repeated until three trials agree.
#pragma once

#include <cstdint>

#include "platform/processor.h"

namespace rb::cpu {

// Runs the measurement on `p`; MHz snapped to a standard ending, 0 when it cannot be measured.
int32_t MeasureFrequency(platform::ProcessorArea& p);

// The steps, apart so each can be checked on its own.

// round(ticks x 100000 / (counter frequency / 10)); 0 for a counter frequency of 0.
int64_t ElapsedMicroseconds(int64_t ticks, int64_t counterFrequency);
// round(cycles / microseconds); 0 when no time elapsed.
int64_t TrialFrequency(uint64_t cycles, int64_t microseconds);
// The three trials agree when each, times 3, is within 3 of their sum.
bool TrialsAgree(int64_t a, int64_t b, int64_t c);
// The whole MHz of the totals, rounded up when its tenths say so; 0 when no time elapsed.
int64_t CombinedFrequency(uint64_t totalCycles, int64_t totalMicroseconds);
// The nearest of the standard endings 0, 20, 33, 50, 60, 66, 80, 90 and 100 of the hundreds
// (ties go up): 498 gives 500, 733 stays 733.
int64_t SnapFrequency(int64_t mhz);

}  // namespace rb::cpu
