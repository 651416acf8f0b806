// The naming table at its edges: the rows chosen by cache size, clock, type and brand index,
// model lists and ranges, and keys no row covers.
#include <gtest/gtest.h>

#include "sysinfo/cpu_decode.h"

namespace {

using namespace rb::cpu;

struct Case {
    NamingKey key;  // vendor, family, model, MHz, L2 KB, type, brand index
    const char* vendorId;
    const char* codeName;
    int32_t transistors;
};

// The recorded processors (cpu_golden_test) show one row of each vendor; these are the edges.
const Case kCases[] = {
    // Intel: second-level size, type and brand index
    {{kIntel, 6, 5, 0, 0}, "Celeron", "Covington (0,25µm)", 7500000},
    {{kIntel, 6, 5, 0, 512}, "Pentium II", "Deschutes (0,25µm)", 7500000},
    {{kIntel, 6, 5, 0, 513}, "Pentium II Xeon", "Deschutes (0.25 µm)", 7500000},
    {{kIntel, 6, 3, 0, 333}, "Pentium II", "P6T (0.25 µm)", 7500000},
    {{kIntel, 6, 3, 0, 333, 1}, "Pentium II OverDrive", "P6T (0.25 µm)", 7500000},
    {{kIntel, 6, 5, 0, 512, 1}, "Pentium II", "Deschutes (0,25µm)", 7500000},
    {{kIntel, 6, 6, 0, 256}, "Pentium II PE (mobile)", "Dixon (0.25 µm)", 27400000},
    {{kIntel, 6, 7, 0, 513}, "Pentium III Xeon", "Tanner (0.25 µm)", 9500000},
    {{kIntel, 6, 2}, "Pentium II", "", 0},
    {{kIntel, 6, 15}, "Pentium II", "", 0},
    {{kIntel, 5, 9}, "Pentium", "", 0},
    {{kIntel, 4, 6}, "", "", 0},
    {{kIntel, 7, 0, 0, 256, 0, 1}, "Celeron", "", 0},
    {{kIntel, 8, 3, 0, 2048, 0, 3}, "Pentium III Xeon", "", 0},
    {{kIntel, 8, 1, 0, 0, 0, 4}, "Pentium IV", "", 0},
    {{kIntel, 8, 1, 0, 1023, 0, 2}, "Pentium III", "", 0},
    {{kIntel, 7, 1, 0, 1024, 0, 0}, "Pentium III Xeon", "", 0},
    {{kIntel, 10, 4}, "Pentium III Xeon", "", 0},
    {{kIntel, 9, 0}, "", "", 0},
    // AMD: model lists
    {{kAMD, 4, 7}, "Am486DX2", "P24", 1250000},
    {{kAMD, 5, 3}, "K5-5k86 (PR120, PR133)", "5k86 (0.35 µm)", 4300000},
    {{kAMD, 5, 9}, "K6-III", "Slarptooth (0.25 µm)", 21300000},
    {{kAMD, 5, 4}, "", "", 0},
    // Cyrix: the clock
    {{kCyrix, 4, 0, 20}, "Cx486SLC/DLC", "M0.5", 600000},
    {{kCyrix, 4, 0, 66}, "Cx486SLC/DLC", "M0.5", 600000},
    {{kCyrix, 4, 0, 33}, "Cx486S", "M0.6", 600000},
    {{kCyrix, 4, 0, 50}, "Cx486S", "M0.6", 600000},
    {{kCyrix, 4, 0, 67}, "Cx486DX/DX2/DX4", "M0.7", 1100000},
    {{kCyrix, 4, 0, 40}, "", "", 0},
    {{kCyrix, 6, 0, 224}, "6x86MX (PR166-266)", "M2 (0.35 µm)", 65000000},
    {{kCyrix, 6, 0, 225}, "M-II (PR300-433)", "M2 (0.35-0.25 µm)", 65000000},
    // The others: a listed model, the UMC catch-all, a family not listed
    {{kUMC, 4, 0}, "", "U5D and U5S", 12000000},
    {{kUMC, 5, 1}, "", "", 0},
    {{kRise, 4, 1}, "", "", 0},
    {{kIDT, 6, 6}, "", "", 0},
    {{kUnknown, 6, 8}, "", "", 0},
};

TEST(CpuNaming, EdgeRows) {
    for (const Case& c : kCases) {
        const NamingKey& k = c.key;
        SCOPED_TRACE(testing::Message()
                     << "vendor " << k.vendor << " family " << k.family << " model " << k.model
                     << " MHz " << k.frequency << " L2 " << k.level2 << " type " << k.type
                     << " brand " << k.brandIndex);
        const Naming n = LookUpName(k);
        EXPECT_EQ(n.vendorId, c.vendorId);
        EXPECT_EQ(n.codeName, c.codeName);
        EXPECT_EQ(n.transistors, c.transistors);
    }
}

TEST(CpuNaming, CodeNamesAreCodePage1252) {
    // "µ" is one byte, 0xB5, in the program's texts.
    EXPECT_EQ(LookUpName({kIntel, 6, 8}).codeName, "Coppermine (0.18 \xB5m)");
}

TEST(CpuNaming, FamilyAndModelOutsideFourBitsMatchNothing) {
    EXPECT_EQ(LookUpName({kAMD, 6 + 16, 0}).vendorId, "");
    EXPECT_EQ(LookUpName({kAMD, 6, -1}).vendorId, "");
    EXPECT_EQ(LookUpName({kIntel, 15 + 1, 0}).vendorId, "");
}

}  // namespace
