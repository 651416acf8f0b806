// The simulated processor: recorded CPUID answers and scripted counters.
#pragma once

#include <map>
#include <vector>

#include "platform/processor.h"

namespace rb::platform {

class SimProcessor : public ProcessorArea {
public:
    // Recorded CPUID answers by leaf (a leaf not recorded answers zeros), and every leaf asked,
    // in order. Without `hasCpuid` / `hasTimeStamp` the instruction throws.
    std::map<uint32_t, CpuidRegisters> cpuid;
    std::vector<uint32_t> cpuidCalls;
    bool hasCpuid = true;
    bool hasTimeStamp = true;
    uint32_t processorCount = 1;
    // Scripted counters: every read answers the current value and then adds the step.
    std::optional<int64_t> performanceFrequency = 10000000;  // 10 MHz
    int64_t performanceCounter = 0;
    int64_t performanceCounterStep = 10;  // 1 us per read at 10 MHz
    uint64_t timeStamp = 0;
    uint64_t timeStampStep = 1000;  // so 1000 MHz with the defaults above
    // The calling thread's priority; every change is recorded. Not `priorityReadable`: reading
    // it fails.
    int threadPriority = 0;
    bool priorityReadable = true;
    std::vector<int> priorityChanges;

    CpuidRegisters Cpuid(uint32_t leaf) override;
    uint64_t TimeStampCounter() override;
    std::optional<int64_t> PerformanceFrequency() override { return performanceFrequency; }
    int64_t PerformanceCounter() override;
    std::optional<int> ThreadPriority() override;
    void SetThreadPriority(int priority) override;
    uint32_t ProcessorCount() override { return processorCount; }
};

}  // namespace rb::platform
