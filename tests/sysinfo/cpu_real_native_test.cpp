// This machine's own processor: what the section decodes from the real CPUID and measures
// against the real clock agrees with what Linux reports.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "core/text.h"
#include "platform/native/host_cpu_platform.h"
#include "sysinfo/si_cpu.h"
#include "sysinfo/string_collection.h"

namespace {

using rb::platform::HostCpuPlatform;
using rb::platform::ScopedPlatform;

// "name : value" pairs of the first processor in /proc/cpuinfo.
std::map<std::string, std::string> FirstProcessor() {
    std::map<std::string, std::string> fields;
    std::ifstream in("/proc/cpuinfo");
    for (std::string line; std::getline(in, line) && !line.empty();) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        fields[rb::Trim(line.substr(0, colon))] = rb::Trim(line.substr(colon + 1));
    }
    return fields;
}

// The TSC rate Linux gives, in MHz; 0 when it gives none.
double LinuxTscMhz(const std::map<std::string, std::string>& cpuinfo) {
    std::ifstream khz("/sys/devices/system/cpu/cpu0/tsc_freq_khz");
    double value = 0;
    if (khz >> value && value > 0) return value / 1000;
    const auto mhz = cpuinfo.find("cpu MHz");
    return mhz == cpuinfo.end() ? 0 : std::stod(mhz->second);
}

class CpuReal : public testing::Test {
protected:
    void SetUp() override {
        if (!HostCpuPlatform::HasCpuid()) GTEST_SKIP() << "no x86 CPUID on this machine";
        cpuinfo_ = FirstProcessor();
        if (!cpuinfo_.count("vendor_id") || !cpuinfo_.count("cpu family")) {
            GTEST_SKIP() << "/proc/cpuinfo gives no x86 identification";
        }
        ScopedPlatform scope(host_);
        cpu_.GetInfo();
    }

    HostCpuPlatform host_;
    std::map<std::string, std::string> cpuinfo_;
    rb::TStringCollection errors_;
    rb::TCPU cpu_{&errors_};
};

TEST_F(CpuReal, IdentificationAgreesWithLinux) {
    EXPECT_EQ(errors_.GetStrings().Lines(), std::vector<std::string>{});
    EXPECT_EQ(cpu_.Signature, cpuinfo_["vendor_id"]);
    EXPECT_EQ(cpu_.VendorIndex != 0, !cpu_.Vendor.empty());

    // Linux adds the extended family (family 15) and model (family 6 and up) bits, which the
    // section's values leave out; its numbers must come back from the same register.
    const uint32_t eax = host_.Processor().Cpuid(1).eax;
    const int family = std::stoi(cpuinfo_["cpu family"]);
    const int model = std::stoi(cpuinfo_["model"]);
    EXPECT_EQ(cpu_.Family, std::min(family, 15));
    EXPECT_EQ(cpu_.Family + (cpu_.Family == 15 ? static_cast<int>((eax >> 20) & 0xFF) : 0), family);
    EXPECT_EQ(cpu_.Model, model & 0xF);
    EXPECT_EQ(cpu_.Model + (cpu_.Family >= 6 ? static_cast<int>((eax >> 16) & 0xF) << 4 : 0),
              model);
    if (cpuinfo_.count("stepping")) EXPECT_EQ(cpu_.Stepping, std::stoi(cpuinfo_["stepping"]));
    EXPECT_FALSE(cpu_.FDIVBug);
    EXPECT_TRUE(cpu_.Features->FPU);
    EXPECT_TRUE(cpu_.Features->TSC);
}

TEST_F(CpuReal, MeasuredClockIsWithinTenPercentOfLinuxTscRate) {
    const double expected = LinuxTscMhz(cpuinfo_);
    if (expected <= 0) GTEST_SKIP() << "Linux reports neither tsc_freq_khz nor cpu MHz";
    EXPECT_NEAR(cpu_.Frequency, expected, expected * 0.10);
}

}  // namespace
