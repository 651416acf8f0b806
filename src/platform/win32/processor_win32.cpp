// The processor questions: CPUID and RDTSC through the compiler's intrinsics, the performance
// counter, the calling thread's priority and the processor count.
#include <cpuid.h>
#include <x86intrin.h>

#include "core/exception.h"
#include "platform/win32/platform_win32.h"

namespace rb::platform {
namespace {

// A 486 without CPUID cannot toggle the ID flag; the intrinsic checks it and answers 0 then.
// A processor with the instruction but no leaf above 0 also answers 0, with its signature.
bool HasCpuid() {
    static const bool has = [] {
        unsigned int signature = 0;
        return __get_cpuid_max(0, &signature) != 0 || signature != 0;
    }();
    return has;
}

bool HasTimeStamp() {
    static const bool has = [] {
        unsigned int eax, ebx, ecx, edx;
        return HasCpuid() && __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (edx & (1u << 4)) != 0;
    }();
    return has;
}

}  // namespace

CpuidRegisters Win32Processor::Cpuid(uint32_t leaf) {
    // Checked here because running the instruction on such a processor would crash the program.
    if (!HasCpuid()) throw Exception("Illegal instruction: CPUID");
    CpuidRegisters r;
    __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
    return r;
}

uint64_t Win32Processor::TimeStampCounter() {
    if (!HasTimeStamp()) throw Exception("Illegal instruction: RDTSC");
    return __rdtsc();
}

std::optional<int64_t> Win32Processor::PerformanceFrequency() {
    LARGE_INTEGER f;
    if (!::QueryPerformanceFrequency(&f)) return std::nullopt;
    return f.QuadPart;
}

int64_t Win32Processor::PerformanceCounter() {
    LARGE_INTEGER c;
    if (!::QueryPerformanceCounter(&c)) return 0;
    return c.QuadPart;
}

std::optional<int> Win32Processor::ThreadPriority() {
    const int priority = ::GetThreadPriority(::GetCurrentThread());
    if (priority == THREAD_PRIORITY_ERROR_RETURN) return std::nullopt;
    return priority;
}

void Win32Processor::SetThreadPriority(int priority) {
    ::SetThreadPriority(::GetCurrentThread(), priority);
}

uint32_t Win32Processor::ProcessorCount() {
    SYSTEM_INFO info = {};
    ::GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}

}  // namespace rb::platform
