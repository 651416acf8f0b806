#include "platform/sim/sim_processor.h"

#include "core/exception.h"

namespace rb::platform {

CpuidRegisters SimProcessor::Cpuid(uint32_t leaf) {
    if (!hasCpuid) throw Exception("Illegal instruction: CPUID");
    cpuidCalls.push_back(leaf);
    const auto it = cpuid.find(leaf);
    return it == cpuid.end() ? CpuidRegisters{} : it->second;
}

uint64_t SimProcessor::TimeStampCounter() {
    if (!hasTimeStamp) throw Exception("Illegal instruction: RDTSC");
    const uint64_t now = timeStamp;
    timeStamp += timeStampStep;
    return now;
}

int64_t SimProcessor::PerformanceCounter() {
    const int64_t now = performanceCounter;
    performanceCounter += performanceCounterStep;
    return now;
}

std::optional<int> SimProcessor::ThreadPriority() {
    if (!priorityReadable) return std::nullopt;
    return threadPriority;
}

void SimProcessor::SetThreadPriority(int priority) {
    threadPriority = priority;
    priorityChanges.push_back(priority);
}

}  // namespace rb::platform
