// The decoding steps on their own: registers in, values out, for the rows and bytes at the
// edges of each table.
#include "sysinfo/cpu_decode.h"

#include <gtest/gtest.h>

#include "sysinfo/si_cpu.h"

namespace {

using namespace rb::cpu;

TEST(CpuDecode, VendorTableIsExactAndCaseSensitive) {
    struct Case {
        const char* signature;
        uint32_t index;
        const char* shortName;
        const char* longName;
    };
    const Case cases[] = {
        {"GenuineIntel", kIntel, "Intel", "Intel Corporation"},
        {"UMC UMC UMC", kUMC, "UMC", "United Microelectronics Corp"},   // as the table has it
        {"UMC UMC UMC ", kUMC, "UMC", "United Microelectronics Corp"},  // as the chip says it
        {"genuineintel", kUnknown, "", ""},
        {"GenuineIntel ", kUnknown, "", ""},
        {"", kUnknown, "", ""},
    };
    for (const Case& c : cases) {
        const Vendor v = LookUpVendor(c.signature);
        EXPECT_EQ(v.index, c.index) << c.signature;
        EXPECT_STREQ(v.shortName, c.shortName) << c.signature;
        EXPECT_STREQ(v.longName, c.longName) << c.signature;
    }
}

TEST(CpuDecode, SignatureAndBrandStopAtTheFirstZeroByte) {
    // "Genu" "ineI" "ntel" in EBX, EDX, ECX.
    EXPECT_EQ(VendorSignature({1, 0x756E6547, 0x6C65746E, 0x49656E69}), "GenuineIntel");
    EXPECT_EQ(VendorSignature({1, 0x00006547, 0x6C65746E, 0x49656E69}), "Ge");
    EXPECT_EQ(VendorSignature({1, 0x756E6547, 0x6C65746E, 0x00656E69}), "Genuine");
    EXPECT_EQ(VendorSignature({}), "");

    const Registers full = {0x64636261, 0x68676665, 0x6C6B6A69, 0x706F6E6D};  // "a".."p"
    EXPECT_EQ(BrandText(full, full, full),
              "abcdefghijklmnop"
              "abcdefghijklmnop"
              "abcdefghijklmnop");
    EXPECT_EQ(BrandText(full, {0x00434241, 0, 0, 0}, full), "abcdefghijklmnopABC");
    EXPECT_EQ(BrandText({}, full, full), "");
}

TEST(CpuDecode, FeatureBitsLandOnTheirFlags) {
    struct Case {
        Feature flag;
        uint32_t extendedEdx;
        uint32_t standardEdx;
    };
    using F = Feature;
    const Case cases[] = {
        {F::EX_MMX, 1u << 22, 0}, {F::EX_MMX, 1u << 24, 0}, {F::EX_3DNOW, 1u << 30, 0},
        {F::_3DNOW, 1u << 31, 0}, {F::SIMD, 0, 1u << 25},   {F::XSR, 0, 1u << 24},
        {F::MMX, 0, 1u << 23},    {F::SERIAL, 0, 1u << 18}, {F::PSE36, 0, 1u << 17},
        {F::PAT, 0, 1u << 16},    {F::CMOV, 0, 1u << 15},   {F::MCA, 0, 1u << 14},
        {F::PGE, 0, 1u << 13},    {F::MTRR, 0, 1u << 12},   {F::SEP, 0, 1u << 11},
        {F::APIC, 0, 1u << 9},    {F::CX8, 0, 1u << 8},     {F::MCE, 0, 1u << 7},
        {F::PAE, 0, 1u << 6},     {F::MSR, 0, 1u << 5},     {F::TSC, 0, 1u << 4},
        {F::PSE, 0, 1u << 3},     {F::DE, 0, 1u << 2},      {F::VME, 0, 1u << 1},
        {F::FPU, 0, 1u << 0},
    };
    for (const Case& c : cases) {
        const FeatureFlags f = DecodeFeatures(c.extendedEdx, c.standardEdx);
        EXPECT_TRUE(f.Has(c.flag)) << std::hex << c.extendedEdx << " " << c.standardEdx;
        EXPECT_EQ(f.Count(), 1u);
    }
    // Unused bits set nothing.
    const FeatureFlags all = DecodeFeatures(0xFFFFFFFF, 0xFFFFFFFF);
    EXPECT_EQ(all.Count(), static_cast<size_t>(F::Count));
    const FeatureFlags none = DecodeFeatures(~((1u << 22) | (1u << 24) | (3u << 30)), 0);
    EXPECT_EQ(none.Count(), 0u);
}

Registers Leaf2(std::initializer_list<uint8_t> bytes) {
    uint32_t regs[4] = {};
    int i = 0;
    for (uint8_t b : bytes) {
        regs[i / 4] |= uint32_t{b} << (8 * (i % 4));
        ++i;
    }
    return {regs[0], regs[1], regs[2], regs[3]};
}

TEST(CpuDecode, IntelDescriptorBytes) {
    struct Case {
        Registers leaf2;
        CacheSizes expected;  // L1 data, L1 code, unified L1, L2
    };
    const Case cases[] = {
        // The edge case of the description: no unified first level.
        {Leaf2({0x01, 0x03, 0x08, 0x0C, 0x43}), {16, 16, 0, 512}},
        {Leaf2({0x01, 0x0A, 0x06, 0x41}), {8, 8, 0, 128}},
        {Leaf2({0x01, 0x80, 0x42}), {0, 0, 16, 256}},
        // The last matching byte wins; 0x40 (no second level) counts as a match.
        {Leaf2({0x01, 0x45, 0x00, 0x00, 0x82}), {0, 0, 0, 256}},
        {Leaf2({0x01, 0x44, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x40}), {0, 0, 0, 0}},
        {Leaf2({0x01, 0x83, 0x84, 0x85}), {0, 0, 0, 2048}},
        // The first byte is the call count: never a second-level size, but a first-level one.
        {Leaf2({0x43}), {0, 0, 0, 0}},
        {Leaf2({0x0C, 0x08}), {16, 16, 0, 0}},
        {Leaf2({0x0A, 0x0C}), {16, 0, 0, 0}},
        {Leaf2({0x01, 0x0C, 0x0A}), {8, 0, 0, 0}},
        {Leaf2({0x80}), {0, 0, 16, 0}},
        {Leaf2({0x01, 0x7B, 0x2C, 0x30}), {0, 0, 0, 0}},  // later descriptors are unknown
    };
    for (const Case& c : cases) {
        const CacheSizes got = DecodeIntelCache(DescriptorBytes(c.leaf2));
        EXPECT_EQ(got, c.expected)
            << std::hex << c.leaf2.eax << " " << c.leaf2.ebx << ": " << std::dec << got.l1Data
            << "," << got.l1Code << "," << got.level1 << "," << got.level2;
    }
    // Register order and byte order of the descriptor bytes.
    const Descriptors bytes = DescriptorBytes({0x04030201, 0x08070605, 0x0C0B0A09, 0x100F0E0D});
    for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], i + 1);
}

TEST(CpuDecode, AmdAndCyrixFirstLevel) {
    EXPECT_EQ(DecodeAmdCache({0, 0, 0x40020140, 0x20020140}), (CacheSizes{64, 32, 96, 0}));
    EXPECT_EQ(DecodeAmdCache({0xFFFFFFFF, 0xFFFFFFFF, 0x00FFFFFF, 0x00FFFFFF}), CacheSizes{});
    EXPECT_EQ(DecodeAmdCache({0, 0, 0xFF000000, 0xFF000000}), (CacheSizes{255, 255, 510, 0}));
    for (uint32_t ecx : {0x80u, 0x8000u, 0x800000u, 0x80000000u, 0x12805634u}) {
        EXPECT_EQ(DecodeCyrixCache({0, 0, ecx, 0}), (CacheSizes{0, 0, 16, 0})) << std::hex << ecx;
    }
    EXPECT_EQ(DecodeCyrixCache({0x80, 0x80, 0x81, 0x80}), CacheSizes{});
}

TEST(CpuDecode, DivisionTest) {
    EXPECT_FALSE(ProcessorDividesWrongly());
    // The check itself sees a difference when the quotient is off (here: not a number).
    EXPECT_TRUE(DivisionFlawed(1.0, 0.0));
}

}  // namespace
