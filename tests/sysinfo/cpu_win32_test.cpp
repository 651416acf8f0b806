// The processor section on the real system (under Wine in the test runs): a refresh fills
// sensible values without error lines, and agrees with a CPUID read here and with the clock
// the registry gives.
#include <cpuid.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform.h"
#include "sysinfo/si_cpu.h"
#include "sysinfo/string_collection.h"

// Last, so that its A/W macros do not rename members of the project's headers.
#include <windows.h>

namespace {

using rb::platform::Current;
using rb::platform::RootKey;

class CpuWin32 : public testing::Test {
protected:
    void SetUp() override {
        priorityBefore_ = GetThreadPriority(GetCurrentThread());
        cpu_.GetInfo();
    }

    int priorityBefore_ = 0;
    rb::TStringCollection errors_;
    rb::TCPU cpu_{&errors_};
};

TEST_F(CpuWin32, RefreshAgreesWithTheProcessor) {
    EXPECT_EQ(errors_.GetStrings().Lines(), std::vector<std::string>{});
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    EXPECT_GE(cpu_.Count, 1);
    EXPECT_EQ(cpu_.Count, static_cast<int32_t>(info.dwNumberOfProcessors));
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), priorityBefore_);

    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    ASSERT_TRUE(__get_cpuid(0, &eax, &ebx, &ecx, &edx));
    char signature[13] = {};
    std::memcpy(signature, &ebx, 4);
    std::memcpy(signature + 4, &edx, 4);
    std::memcpy(signature + 8, &ecx, 4);
    EXPECT_EQ(cpu_.Signature, signature);
    EXPECT_EQ(cpu_.MaxStandardLeaf, eax);
    if (!cpu_.VendorIdentifier.empty()) EXPECT_EQ(cpu_.VendorIdentifier, signature);

    ASSERT_TRUE(__get_cpuid(1, &eax, &ebx, &ecx, &edx));
    EXPECT_EQ(cpu_.Family, static_cast<int32_t>((eax >> 8) & 0xF));
    EXPECT_EQ(cpu_.Model, static_cast<int32_t>((eax >> 4) & 0xF));
    EXPECT_EQ(cpu_.Stepping, static_cast<int32_t>(eax & 0xF));
    EXPECT_TRUE(cpu_.Features->FPU);
    EXPECT_TRUE(cpu_.Features->TSC);
    EXPECT_EQ(cpu_.Features->Edx, edx);
    EXPECT_FALSE(cpu_.FDIVBug);
    EXPECT_FALSE(cpu_.BrandText.empty());
}

TEST_F(CpuWin32, FrequencyIsWithinTenPercentOfTheRegistryClock) {
    const auto key = Current().Reg().Open(RootKey::LocalMachine,
                                          "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0");
    ASSERT_TRUE(key);
    const std::optional<uint32_t> mhz = key->ReadInteger("~MHz");
    if (!mhz || *mhz == 0) GTEST_SKIP() << "the registry gives no ~MHz";
    EXPECT_NEAR(cpu_.Frequency, *mhz, *mhz * 0.10);
}

}  // namespace
