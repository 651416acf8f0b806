// A simulated system whose processor questions reach this machine's own processor and clock,
// so tests can hold the decoding and the clock measurement against the real thing.
// Native builds only (host_cpu_platform_native.cpp).
#pragma once

#include "platform/sim/sim_platform.h"

namespace rb::platform {

class HostProcessor : public SimProcessor {
public:
    HostProcessor();  // the processor count is this machine's

    // False on a processor without CPUID (or not an x86 one): Cpuid then throws.
    static bool HasCpuid();

    CpuidRegisters Cpuid(uint32_t leaf) override;
    uint64_t TimeStampCounter() override;
    // A 10 MHz counter over the monotonic clock, the rate Windows usually gives.
    std::optional<int64_t> PerformanceFrequency() override { return 10000000; }
    int64_t PerformanceCounter() override;
};

class HostCpuPlatform : public SimPlatform {
public:
    static bool HasCpuid() { return HostProcessor::HasCpuid(); }
    ProcessorArea& Processor() override { return host; }
    HostProcessor host;
};

}  // namespace rb::platform
