#include <time.h>

#include <algorithm>
#include <thread>

#include "core/exception.h"
#include "platform/native/host_cpu_platform.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <x86intrin.h>
#define RB_HOST_X86 1
#endif

namespace rb::platform {

HostProcessor::HostProcessor() {
    processorCount = std::max(1u, std::thread::hardware_concurrency());
}

bool HostProcessor::HasCpuid() {
#ifdef RB_HOST_X86
    unsigned int signature = 0;
    return __get_cpuid_max(0, &signature) != 0 || signature != 0;
#else
    return false;
#endif
}

CpuidRegisters HostProcessor::Cpuid(uint32_t leaf) {
    if (!HasCpuid()) throw Exception("Illegal instruction: CPUID");
    cpuidCalls.push_back(leaf);
    CpuidRegisters r;
#ifdef RB_HOST_X86
    __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
#endif
    return r;
}

uint64_t HostProcessor::TimeStampCounter() {
#ifdef RB_HOST_X86
    return __rdtsc();
#else
    throw Exception("Illegal instruction: RDTSC");
#endif
}

int64_t HostProcessor::PerformanceCounter() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 10000000 + now.tv_nsec / 100;
}

}  // namespace rb::platform
