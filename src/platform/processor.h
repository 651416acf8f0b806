// The processor and the clock measurement: two processor instructions, the performance
// counter, the calling thread's priority and the processor count.
#pragma once

#include <cstdint>
#include <optional>

namespace rb::platform {

// The four registers the processor's identification instruction (CPUID) answers for one leaf.
struct CpuidRegisters {
    uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

class ProcessorArea {
public:
    virtual ~ProcessorArea() = default;

    // Cpuid and TimeStampCounter throw rb::Exception on a processor without the instruction.
    virtual CpuidRegisters Cpuid(uint32_t leaf) = 0;
    virtual uint64_t TimeStampCounter() = 0;                    // RDTSC
    virtual std::optional<int64_t> PerformanceFrequency() = 0;  // nullopt when there is none
    virtual int64_t PerformanceCounter() = 0;
    virtual std::optional<int> ThreadPriority() = 0;  // calling thread; nullopt if unreadable
    virtual void SetThreadPriority(int priority) = 0;
    virtual uint32_t ProcessorCount() = 0;  // GetSystemInfo's number of processors
};

}  // namespace rb::platform
