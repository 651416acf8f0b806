// The naming table: marketing name, code name and transistor count by vendor, family and model,
// with the rows that also depend on the second-level cache, the measured clock, the processor
// type or the brand index. The first row that applies wins.
#include <cstdint>
#include <limits>

#include "sysinfo/cpu_decode.h"

namespace rb::cpu {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// A set of family or model numbers (both are four bits wide): bit n stands for number n.
constexpr uint16_t Of(int a, int b = -1, int c = -1) {
    uint16_t set = static_cast<uint16_t>(1u << a);
    if (b >= 0) set |= static_cast<uint16_t>(1u << b);
    if (c >= 0) set |= static_cast<uint16_t>(1u << c);
    return set;
}
constexpr uint16_t From(int first) {
    return static_cast<uint16_t>(0xFFFFu << first);
}
constexpr uint16_t kAny = 0xFFFF;

// The extra condition of a row: ranges (inclusive) of L2 kilobytes and MHz, and a brand index.
struct When {
    int32_t l2Min = kMin, l2Max = kMax;
    int32_t mhzMin = kMin, mhzMax = kMax;
    int32_t brand = -1;  // -1: any
};
constexpr When kAlways{};
constexpr When L2(int32_t lo, int32_t hi) {
    return {lo, hi, kMin, kMax, -1};
}
constexpr When Mhz(int32_t lo, int32_t hi) {
    return {kMin, kMax, lo, hi, -1};
}
constexpr When Brand(int32_t b) {
    return {kMin, kMax, kMin, kMax, b};
}

struct NameRow {
    uint32_t vendor;
    uint16_t families;
    uint16_t models;
    When when;
    const char* vendorId;
    const char* codeName;
    int32_t transistors;
};

// clang-format off
constexpr NameRow kNames[] = {
    // vendor  family     models        condition        VendorID                   CodeName                          Transistors
    // Intel 486
    {kIntel,   Of(4),     Of(0, 1),     kAlways,         "i80486DX",                "P4",                             1250000},
    {kIntel,   Of(4),     Of(2),        kAlways,         "i80486SX",                "P23",                            900000},
    {kIntel,   Of(4),     Of(3),        kAlways,         "i80486DX2",               "P24",                            1250000},
    {kIntel,   Of(4),     Of(4),        kAlways,         "i80486SL",                "P23",                            900000},
    {kIntel,   Of(4),     Of(5),        kAlways,         "i80486SX2",               "P23",                            900000},
    {kIntel,   Of(4),     Of(7),        kAlways,         "i80486DX2WB",             "P24",                            1250000},
    {kIntel,   Of(4),     Of(8),        kAlways,         "i80486DX4",               "P24C",                           1600000},
    {kIntel,   Of(4),     Of(9),        kAlways,         "i80486DX4WB",             "P24C",                           1600000},
    // Intel Pentium
    {kIntel,   Of(5),     Of(0),        kAlways,         "Pentium",                 "P5 (0,80µm)",                    3100000},
    {kIntel,   Of(5),     Of(1, 2),     kAlways,         "Pentium",                 "P54C (0,50µm)",                  3100000},
    {kIntel,   Of(5),     Of(3),        kAlways,         "Pentium",                 "P24T",                           0},
    {kIntel,   Of(5),     Of(4),        kAlways,         "Pentium MMX",             "P55C (0,28µm)",                  4500000},
    {kIntel,   Of(5),     Of(5),        kAlways,         "DX4",                     "",                               0},
    {kIntel,   Of(5),     Of(6),        kAlways,         "Pentium",                 "P5",                             0},
    {kIntel,   Of(5),     Of(7),        kAlways,         "Pentium",                 "P54C (0,35µm)",                  3100000},
    {kIntel,   Of(5),     Of(8),        kAlways,         "Pentium MMX (mobile)",    "Tillamook (0,25µm)",             4500000},
    {kIntel,   Of(5),     From(9),      kAlways,         "Pentium",                 "",                               0},
    // Intel P6
    {kIntel,   Of(6),     Of(0),        kAlways,         "Pentium Pro",             "P6 (0.50 µm)",                   5500000},
    {kIntel,   Of(6),     Of(1),        kAlways,         "Pentium Pro",             "P6 (0.35 µm)",                   5500000},
    {kIntel,   Of(6),     Of(3),        L2(333, 333),    "Pentium II",              "P6T (0.25 µm)",                  7500000},
    {kIntel,   Of(6),     Of(3),        kAlways,         "Pentium II",              "Klamath (0.35 µm)",              7500000},
    {kIntel,   Of(6),     Of(4),        kAlways,         "Pentium II",              "P55CT (P54 OverDrive)",          3100000},
    {kIntel,   Of(6),     Of(5),        L2(0, 0),        "Celeron",                 "Covington (0,25µm)",             7500000},
    {kIntel,   Of(6),     Of(5),        L2(1, 512),      "Pentium II",              "Deschutes (0,25µm)",             7500000},
    {kIntel,   Of(6),     Of(5),        L2(513, kMax),   "Pentium II Xeon",         "Deschutes (0.25 µm)",            7500000},
    {kIntel,   Of(6),     Of(6),        L2(kMin, 255),   "Celeron A",               "Mendocino (0.25 µm)",            19000000},
    {kIntel,   Of(6),     Of(6),        kAlways,         "Pentium II PE (mobile)",  "Dixon (0.25 µm)",                27400000},
    {kIntel,   Of(6),     Of(7),        L2(kMin, 512),   "Pentium III",             "Katmai (0.25 µm)",               9500000},
    {kIntel,   Of(6),     Of(7),        L2(513, kMax),   "Pentium III Xeon",        "Tanner (0.25 µm)",               9500000},
    {kIntel,   Of(6),     Of(8),        kAlways,         "Pentium III E",           "Coppermine (0.18 µm)",           28100000},
    {kIntel,   Of(6),     Of(2),        kAlways,         "Pentium II",              "",                               0},
    {kIntel,   Of(6),     From(9),      kAlways,         "Pentium II",              "",                               0},
    // Intel families 7, 8, 10 and 15
    {kIntel,   Of(7, 8),  kAny,         Brand(1),        "Celeron",                 "",                               0},
    {kIntel,   Of(7, 8),  kAny,         Brand(3),        "Pentium III Xeon",        "",                               0},
    {kIntel,   Of(7, 8),  kAny,         Brand(4),        "Pentium IV",              "",                               0},
    {kIntel,   Of(7, 8),  kAny,         L2(kMin, 1023),  "Pentium III",             "",                               0},
    {kIntel,   Of(7, 8),  kAny,         kAlways,         "Pentium III Xeon",        "",                               0},
    {kIntel,   Of(10),    kAny,         kAlways,         "Pentium III Xeon",        "",                               0},
    {kIntel,   Of(15),    kAny,         kAlways,         "Pentium IV",              "",                               0},
    // AMD
    {kAMD,     Of(4),     Of(0),        kAlways,         "Am486DX",                 "P4",                             1250000},
    {kAMD,     Of(4),     Of(3, 7),     kAlways,         "Am486DX2",                "P24",                            1250000},
    {kAMD,     Of(4),     Of(8, 9),     kAlways,         "Am486DX4",                "P24C",                           1250000},
    {kAMD,     Of(4),     Of(14, 15),   kAlways,         "Am5x86",                  "X5",                             1600000},
    {kAMD,     Of(5),     Of(0),        kAlways,         "K5",                      "SSA5 (0.50-0.35 µm)",            4300000},
    {kAMD,     Of(5),     Of(1, 2, 3),  kAlways,         "K5-5k86 (PR120, PR133)",  "5k86 (0.35 µm)",                 4300000},
    {kAMD,     Of(5),     Of(6),        kAlways,         "K6",                      "K6 (0.30 µm)",                   8800000},
    {kAMD,     Of(5),     Of(7),        kAlways,         "K6",                      "Little Foot (0.25 µm)",          8800000},
    {kAMD,     Of(5),     Of(8),        kAlways,         "K6-II",                   "Chomper (0.25 µm)",              9300000},
    {kAMD,     Of(5),     Of(9),        kAlways,         "K6-III",                  "Slarptooth (0.25 µm)",           21300000},
    {kAMD,     Of(5),     Of(13),       kAlways,         "K6-II+/K6-III+",          "",                               0},
    {kAMD,     Of(6),     kAny,         kAlways,         "K7",                      "Athlon (0.25-0.18 µm)",          22000000},
    // Cyrix: the 486 generations differ only in their clock
    {kCyrix,   Of(4),     Of(0),        Mhz(20, 20),     "Cx486SLC/DLC",            "M0.5",                           600000},
    {kCyrix,   Of(4),     Of(0),        Mhz(66, 66),     "Cx486SLC/DLC",            "M0.5",                           600000},
    {kCyrix,   Of(4),     Of(0),        Mhz(33, 33),     "Cx486S",                  "M0.6",                           600000},
    {kCyrix,   Of(4),     Of(0),        Mhz(50, 50),     "Cx486S",                  "M0.6",                           600000},
    {kCyrix,   Of(4),     Of(0),        Mhz(67, kMax),   "Cx486DX/DX2/DX4",         "M0.7",                           1100000},
    {kCyrix,   Of(4),     Of(4),        kAlways,         "Media GX",                "Gx86",                           24000000},
    {kCyrix,   Of(4),     Of(9),        kAlways,         "5x86",                    "M0.9 or M1sc (0.65 µm)",         20000000},
    {kCyrix,   Of(5),     Of(2),        kAlways,         "6x86 and 6x86L",          "M1 (0.65 µm) and M1L (0.35 µm)", 30000000},
    {kCyrix,   Of(5),     Of(4),        kAlways,         "MediaGXm",                "GXm",                            24000000},
    {kCyrix,   Of(6),     Of(0),        Mhz(kMin, 224),  "6x86MX (PR166-266)",      "M2 (0.35 µm)",                   65000000},
    {kCyrix,   Of(6),     Of(0),        Mhz(225, kMax),  "M-II (PR300-433)",        "M2 (0.35-0.25 µm)",              65000000},
    {kCyrix,   Of(6),     Of(5),        kAlways,         "VIA Cyrix III",           "",                               0},
    // IDT/Centaur
    {kIDT,     Of(5),     Of(4),        kAlways,         "WinChip",                 "C6 (0.35 µm)",                   54000000},
    {kIDT,     Of(5),     Of(8),        kAlways,         "WinChip 2x",              "W2x (0.35-0.25 µm)",             59000000},
    {kIDT,     Of(5),     Of(9),        kAlways,         "WinChip 3",               "W3 (0.25 µm)",                   90000000},
    // NexGen
    {kNexGen,  Of(5),     Of(0),        kAlways,         "Nx586",                   "Nx5x86 (0.50-0.44 µm)",          35000000},
    {kNexGen,  Of(5),     Of(6),        kAlways,         "Nx686",                   "HA (0,50µm)",                    60000000},
    // UMC
    {kUMC,     Of(4),     Of(1),        kAlways,         "U5D",                     "U5D and U5S",                    12000000},
    {kUMC,     Of(4),     Of(2),        kAlways,         "U5S",                     "U5D and U5S",                    12000000},
    {kUMC,     Of(4),     Of(3),        kAlways,         "U486DX2",                 "U5D and U5S",                    12000000},
    {kUMC,     Of(4),     Of(4),        kAlways,         "U486SX2",                 "U5D and U5S",                    12000000},
    {kUMC,     Of(4),     kAny,         kAlways,         "",                        "U5D and U5S",                    12000000},
    // Rise
    {kRise,    Of(4),     Of(0, 2),     kAlways,         "mP6",                     "mP6 (0.25-0.18 µm)",             36000000},
};
// clang-format on

bool Contains(uint16_t set, int32_t number) {
    return number >= 0 && number < 16 && ((set >> number) & 1u) != 0;
}

bool Applies(const NameRow& row, const NamingKey& key) {
    const When& w = row.when;
    return row.vendor == key.vendor && Contains(row.families, key.family) &&
           Contains(row.models, key.model) && key.level2 >= w.l2Min && key.level2 <= w.l2Max &&
           key.frequency >= w.mhzMin && key.frequency <= w.mhzMax &&
           (w.brand < 0 || static_cast<uint32_t>(w.brand) == key.brandIndex);
}

}  // namespace

Naming LookUpName(const NamingKey& key) {
    Naming naming;
    for (const NameRow& row : kNames) {
        if (!Applies(row, key)) continue;
        naming = {row.vendorId, row.codeName, row.transistors};
        break;
    }
    // An OverDrive part (type 1) of the Klamath generation.
    if (key.vendor == kIntel && key.family == 6 && key.model == 3 && key.type == 1) {
        naming.vendorId += " OverDrive";
    }
    return naming;
}

}  // namespace rb::cpu
