// TCPU::GetInfo around the decoding: the registry texts, what survives a missing instruction,
// the error lines of the three parts, the serial number and the repeated leaf 2.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/exception.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/si_cpu.h"
#include "sysinfo/string_collection.h"

namespace {

using rb::platform::CpuidRegisters;
using rb::platform::RootKey;
using rb::platform::ScopedPlatform;
using rb::platform::SimPlatform;

const char kKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
const CpuidRegisters kIntelLeaf0 = {2, 0x756E6547, 0x6C65746E, 0x49656E69};

// Answers one leaf with an error, and may answer leaf 2 differently on each call.
class ScriptedProcessor : public rb::platform::SimProcessor {
public:
    CpuidRegisters Cpuid(uint32_t leaf) override {
        if (leaf == failingLeaf) throw rb::Exception("leaf failed");
        if (leaf == 2 && !leaf2Answers.empty()) {
            cpuidCalls.push_back(leaf);
            return leaf2Answers[std::min(leaf2Calls++, leaf2Answers.size() - 1)];
        }
        return SimProcessor::Cpuid(leaf);
    }
    uint32_t failingLeaf = 0xFFFFFFFF;
    std::vector<CpuidRegisters> leaf2Answers;
    size_t leaf2Calls = 0;
};

// Its processor hides the plain simulated one.
class ScriptedCpu : public SimPlatform {
public:
    ScriptedProcessor processor;
    rb::platform::ProcessorArea& Processor() override { return processor; }
};

struct Fixture {
    Fixture() {
        sim.processor.processorCount = 2;
        sim.processor.timeStampStep = 733;
        sim.processor.cpuid[0] = kIntelLeaf0;
        sim.processor.cpuid[1] = {0x683, 0, 0, 0x0383FBFF};
        sim.processor.cpuid[2] = {0x03020101, 0, 0, 0x0C040882};
    }
    std::vector<std::string> Errors() { return errors.GetStrings().Lines(); }

    ScriptedCpu sim;
    ScopedPlatform scope{sim};
    rb::TStringCollection errors;
    rb::TCPU cpu{&errors};
};

TEST(CpuSection, ReadsTheRegistryTextsOfProcessorZero) {
    Fixture f;
    f.sim.registry.SetString(RootKey::LocalMachine, kKey, "VendorIdentifier", "GenuineIntel");
    f.sim.registry.SetString(RootKey::LocalMachine, kKey, "Identifier",
                             "x86 Family 6 Model 8 Stepping 3");
    f.cpu.GetInfo();
    EXPECT_EQ(f.cpu.VendorIdentifier, "GenuineIntel");
    EXPECT_EQ(f.cpu.Identifier, "x86 Family 6 Model 8 Stepping 3");
    EXPECT_TRUE(f.Errors().empty());
}

TEST(CpuSection, MissingRegistryKeyLeavesTheTextsAlone) {
    Fixture f;
    f.cpu.VendorIdentifier = "before";
    f.cpu.Identifier = "before too";
    f.cpu.GetInfo();
    EXPECT_EQ(f.cpu.VendorIdentifier, "before");
    EXPECT_EQ(f.cpu.Identifier, "before too");
}

TEST(CpuSection, NoIdentificationInstructionKeepsTheEarlierSteps) {
    Fixture f;
    f.sim.processor.hasCpuid = false;
    f.sim.registry.SetString(RootKey::LocalMachine, kKey, "Identifier", "x86 Family 4");
    f.cpu.Family = 9;
    f.cpu.GetInfo();
    EXPECT_EQ(f.Errors(), std::vector<std::string>{"TCPU.GetInfo: Illegal instruction: CPUID"});
    EXPECT_EQ(f.cpu.Count, 2);
    EXPECT_EQ(f.cpu.Identifier, "x86 Family 4");
    EXPECT_EQ(f.cpu.Frequency, 733);
    EXPECT_EQ(f.cpu.Family, 9);
}

TEST(CpuSection, NoTimeStampStopsBeforeTheIdentification) {
    Fixture f;
    f.sim.processor.hasTimeStamp = false;
    f.cpu.Frequency = 5;
    f.cpu.GetInfo();
    EXPECT_EQ(f.Errors(), std::vector<std::string>{"TCPU.GetInfo: Illegal instruction: RDTSC"});
    EXPECT_EQ(f.cpu.Count, 2);
    EXPECT_EQ(f.cpu.Frequency, 5);
    EXPECT_EQ(f.cpu.Family, 0);
    EXPECT_EQ(f.sim.processor.threadPriority, 0);
}

TEST(CpuSection, FeatureAndCacheErrorsHaveTheirOwnLinesAndTheRestGoesOn) {
    Fixture f;
    f.sim.processor.failingLeaf = 0x80000001;
    f.cpu.GetInfo();
    EXPECT_EQ(f.Errors(), std::vector<std::string>{"TCPUFeatures.GetInfo: leaf failed"});
    EXPECT_EQ(f.cpu.Cache->Level2, 256);
    EXPECT_EQ(f.cpu.VendorID, "Pentium III E");

    Fixture g;
    g.sim.processor.failingLeaf = 2;
    g.cpu.GetInfo();
    EXPECT_EQ(g.Errors(), std::vector<std::string>{"TCPUCache.GetInfo: leaf failed"});
    EXPECT_TRUE(g.cpu.Features->MMX);
    EXPECT_EQ(g.cpu.Cache->Level2, 0);
    EXPECT_EQ(g.cpu.VendorID, "Pentium III E");  // named with what the cache part left
}

TEST(CpuSection, SerialNumberOnlyWithTheSerialFeature) {
    Fixture f;
    f.cpu.SerialNumber = "kept";
    f.cpu.GetInfo();
    EXPECT_EQ(f.cpu.SerialNumber, "kept");

    f.sim.processor.cpuid[1].edx |= 1u << 18;
    f.sim.processor.cpuid[3] = {0, 0, 0x89ABCDEF, 0x01234567};
    f.cpu.GetInfo();
    EXPECT_EQ(f.cpu.SerialNumber, "0000-0683-0123-4567-89AB-CDEF");
}

TEST(CpuSection, UnknownVendorKeepsTheLongNameAndDecodesNoCache) {
    Fixture f;
    f.cpu.GetInfo();
    EXPECT_EQ(f.cpu.VendorEx, "Intel Corporation");
    f.sim.processor.cpuid[0] = {1, 0x756E6547, 0x3638784D, 0x54656E69};  // "GenuineTMx86"
    f.cpu.GetInfo();
    EXPECT_EQ(f.cpu.VendorEx, "Intel Corporation");  // left as it was
    EXPECT_EQ(f.cpu.Vendor, "");
    EXPECT_EQ(f.cpu.VendorIndex, 0u);
    EXPECT_EQ(f.cpu.Cache->Vendor, 0u);
    EXPECT_EQ(f.cpu.Cache->L1Data + f.cpu.Cache->L1Code + f.cpu.Cache->Level2, 0);
    EXPECT_EQ(f.cpu.VendorID, "");
    EXPECT_EQ(f.cpu.CodeName, "");
    EXPECT_EQ(f.cpu.Transistors, 0);
}

TEST(CpuSection, LeafTwoIsAskedAsOftenAsItSaysAndTheLastAnswerCounts) {
    Fixture f;
    f.sim.processor.leaf2Answers = {{0x03020103, 0, 0, 0x0C040841},  // three calls, 128 KB
                          {0x03020103, 0, 0, 0x0C040841},
                          {0x03020103, 0, 0, 0x0C040845}};  // 2048 KB
    f.cpu.GetInfo();
    const std::vector<uint32_t>& calls = f.sim.processor.cpuidCalls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), 2u), 3);
    EXPECT_EQ(f.cpu.Cache->Level2, 2048);
    EXPECT_EQ(f.cpu.Cache->Descriptors[12], 0x45);

    Fixture none;  // a first answer of 0: no descriptors at all
    none.sim.processor.leaf2Answers = {{0x03020100, 0, 0, 0x0C040843}};
    none.cpu.GetInfo();
    EXPECT_EQ(none.sim.processor.leaf2Calls, 1u);
    EXPECT_EQ(none.cpu.Cache->Level2, 0);
    EXPECT_EQ(none.cpu.Cache->L1Data, 0);
}

}  // namespace
