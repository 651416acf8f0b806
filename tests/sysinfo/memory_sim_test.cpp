// The memory section: the extended status where the system has one, the basic one elsewhere,
// the load computed when the system leaves it out, and the report's thousands separators.
#include <gtest/gtest.h>

#include "core/string_list.h"
#include "os_sim_helpers.h"
#include "sysinfo/si_memory.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::MemoryStatus;
using platform::ScopedPlatform;
using platform::SimPlatform;
using platform::SimSystem;

constexpr uint64_t GB = 1024ull * 1024 * 1024;

MemoryStatus Status(uint32_t load, uint64_t total, uint64_t avail) {
    MemoryStatus s;
    s.memoryLoad = load;
    s.totalPhys = total;
    s.availPhys = avail;
    return s;
}

struct LoadRow {
    MemoryStatus status;
    int64_t load;
};

TEST(Memory, LoadIsComputedOnlyWhenTheSystemLeavesItOut) {
    const LoadRow rows[] = {
        {Status(0, 1000, 250), 75},
        {Status(0, 0, 0), 0},
        {Status(40, 1000, 250), 40},
        {Status(0, 3, 1), 67},  // 100 - 33: integer division
    };
    for (const LoadRow& row : rows) {
        SimPlatform sim;
        sim.system.version = SimSystem::Windows95();
        sim.system.memoryEx.reset();
        sim.system.memory = row.status;
        ScopedPlatform scope(sim);
        TMemory m;
        m.GetInfo();
        EXPECT_EQ(m.MemoryLoad, row.load) << row.status.totalPhys;
    }
}

TEST(Memory, TheExtendedStatusGivesFiguresBeyondFourGigabytes) {
    SimPlatform sim;
    sim.system.memory = Status(0, 0xFFFFFFFFu, 0xFFFFFFFFu);  // what the basic call says there
    MemoryStatus ex = Status(0, 6 * GB, 3 * GB / 2);
    ex.totalPageFile = 8 * GB;
    ex.availVirtual = 2 * GB - 64 * 1024 * 1024;
    sim.system.memoryEx = ex;
    ScopedPlatform scope(sim);
    TStringCollection errors;
    TMemory m(&errors);
    m.GetInfo();
    EXPECT_EQ(errors.Count(), 0);
    EXPECT_EQ(m.PhysicalTotal, static_cast<int64_t>(6 * GB));
    EXPECT_EQ(m.PhysicalFree, static_cast<int64_t>(3 * GB / 2));
    EXPECT_EQ(m.PageFileTotal, static_cast<int64_t>(8 * GB));
    EXPECT_EQ(m.VirtualFree, static_cast<int64_t>(2 * GB - 64 * 1024 * 1024));
    EXPECT_EQ(m.MemoryLoad, 75);
}

TEST(Memory, WithoutTheExtendedCallTheBasicFiguresAreWidened) {
    SimPlatform sim;
    sim.system.version = SimSystem::Windows98SE();
    sim.system.memoryEx.reset();
    sim.system.memory = SimSystem::Memory512MB();
    sim.system.memory.totalPageFile = 0xFFFFFFFFu;
    sim.system.addressSpace = SimSystem::AddressSpace9x();
    ScopedPlatform scope(sim);
    TMemory m;
    m.Win9x_GDIRes = 50;
    m.GetInfo();
    EXPECT_EQ(m.PhysicalTotal, 536281088);
    EXPECT_EQ(m.PageFileTotal, 4294967295);
    EXPECT_EQ(m.MemoryLoad, 62);
    EXPECT_EQ(m.MinAppAddress, 0x400000);
    EXPECT_EQ(m.MaxAppAddress, 0x7FFFFFFF);
    EXPECT_EQ(m.PageSize, 4096);
    EXPECT_EQ(m.AllocGranularity, 65536);
    EXPECT_EQ(m.Win9x_GDIRes, 0);
}

TEST(Memory, ReportUsesTheUsersThousandsSeparator) {
    SimPlatform sim;
    sim.system.locale.thousandSeparator = '.';
    ScopedPlatform scope(sim);
    TMemory m;
    m.GetInfo();
    StringList report;
    m.Report(report);
    EXPECT_EQ(report[1], "PhysMemTotal=536.281.088");
    EXPECT_EQ(report.Values("MaxAppAddress"), "7FFEFFFF");
}

TEST(Memory, AFailureIsRecordedAndTheFiguresBeforeItStay) {
    testing_os::FailingSim sim;
    sim.failAt = "AddressSpace";
    ScopedPlatform scope(sim);
    TStringCollection errors;
    TMemory m(&errors);
    m.GetInfo();
    ASSERT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.Get(0), "TMemory.GetInfo: falla simulada");
    EXPECT_EQ(m.PhysicalTotal, 536281088);
    EXPECT_EQ(m.PageSize, 0);
}

}  // namespace
}  // namespace rb
