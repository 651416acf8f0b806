// The memory section against the real system (under Wine in the test runs).
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "sysinfo/si_memory.h"
#include "sysinfo/string_collection.h"

// Last, so that its A/W macros do not rename members of the project's headers.
#include <windows.h>

namespace {

TEST(MemoryWin32, GathersSensibleValuesWithoutErrors) {
    rb::TStringCollection errors;
    rb::TMemory m(&errors);
    m.GetInfo();
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();
    EXPECT_GT(m.PhysicalTotal, 16 * 1024 * 1024);
    EXPECT_GT(m.PhysicalFree, 0);
    EXPECT_LE(m.PhysicalFree, m.PhysicalTotal);
    EXPECT_GE(m.MemoryLoad, 0);
    EXPECT_LE(m.MemoryLoad, 100);
    EXPECT_GT(m.VirtualTotal, 0);
    EXPECT_LE(m.VirtualFree, m.VirtualTotal);
    EXPECT_GE(m.PageFileTotal, m.PageFileFree);
    EXPECT_EQ(m.PageSize, 4096);
    EXPECT_EQ(m.AllocGranularity, 65536);
    EXPECT_EQ(m.MinAppAddress, 0x10000);
    EXPECT_GT(m.MaxAppAddress, m.MinAppAddress);
}

// The whole memory counts, not the 2 GB the basic call would give a 32-bit program.
TEST(MemoryWin32, TheExtendedStatusIsUsedWhereThereIsOne) {
    MEMORYSTATUSEX ex{};
    ex.dwLength = sizeof(ex);
    ASSERT_TRUE(GlobalMemoryStatusEx(&ex));
    ASSERT_TRUE(rb::platform::Current().System().GlobalMemoryEx().has_value());
    rb::TMemory m;
    m.GetInfo();
    EXPECT_EQ(m.PhysicalTotal, static_cast<int64_t>(ex.ullTotalPhys));
}

}  // namespace
