#include "sysinfo/cpu_decode.h"

#include "core/text.h"

namespace rb::cpu {
namespace {

struct VendorRow {
    const char* signature;
    Vendor vendor;
};

// signature        index    short name  long name
constexpr VendorRow kVendors[] = {
    {"GenuineIntel", {kIntel, "Intel", "Intel Corporation"}},
    {"AuthenticAMD", {kAMD, "AMD", "Advanced Micro Devices"}},
    {"CyrixInstead", {kCyrix, "Cyrix", "Cyrix Corporation"}},
    {"CentaurHauls", {kIDT, "IDT", "IDT/Centaur"}},
    {"NexGenDriven", {kNexGen, "NexGen", "NexGen Inc."}},
    {"UMC UMC UMC", {kUMC, "UMC", "United Microelectronics Corp"}},
    {"RiseRiseRise", {kRise, "Rise", "Rise Technology"}},
};

// Appends a register's bytes, low first, stopping at a zero byte; false once one was met.
bool AppendBytes(std::string& text, uint32_t reg) {
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>((reg >> (8 * i)) & 0xFF);
        if (c == '\0') return false;
        text += c;
    }
    return true;
}

std::string TextOf(std::initializer_list<uint32_t> regs) {
    std::string text;
    for (uint32_t reg : regs) {
        if (!AppendBytes(text, reg)) break;
    }
    return text;
}

struct FeatureBit {
    Feature flag;
    int bit;
};

// Flags from EDX of leaf 1.
constexpr FeatureBit kStandardBits[] = {
    {Feature::SIMD, 25},   {Feature::XSR, 24},   {Feature::MMX, 23},  {Feature::SERIAL, 18},
    {Feature::PSE36, 17},  {Feature::PAT, 16},   {Feature::CMOV, 15}, {Feature::MCA, 14},
    {Feature::PGE, 13},    {Feature::MTRR, 12},  {Feature::SEP, 11},  {Feature::APIC, 9},
    {Feature::CX8, 8},     {Feature::MCE, 7},    {Feature::PAE, 6},   {Feature::MSR, 5},
    {Feature::TSC, 4},     {Feature::PSE, 3},    {Feature::DE, 2},    {Feature::VME, 1},
    {Feature::FPU, 0},
};
// Flags from EDX of leaf 0x80000001 (AMD's extended MMX has two bits).
constexpr FeatureBit kExtendedBits[] = {
    {Feature::EX_MMX, 22}, {Feature::EX_MMX, 24}, {Feature::EX_3DNOW, 30}, {Feature::_3DNOW, 31},
};

bool Bit(uint32_t value, int bit) {
    return ((value >> bit) & 1u) != 0;
}

// Second-level sizes of the leaf 2 descriptors (kilobytes).
struct Descriptor {
    uint8_t code;
    int32_t kilobytes;
};
constexpr Descriptor kLevel2[] = {
    {0x40, 0},   {0x41, 128},  {0x42, 256},  {0x82, 256},  {0x43, 512},
    {0x83, 512}, {0x44, 1024}, {0x84, 1024}, {0x45, 2048}, {0x85, 2048},
};

}  // namespace

Vendor LookUpVendor(std::string_view signature) {
    // The UMC processor's own signature ends in a blank that the table's text leaves out.
    if (signature == "UMC UMC UMC ") signature = "UMC UMC UMC";
    for (const VendorRow& row : kVendors) {
        if (signature == row.signature) return row.vendor;
    }
    return Vendor{};
}

Identification Identify(const Registers& leaf1) {
    Identification id;
    id.stepping = static_cast<int32_t>(leaf1.eax & 0xF);
    id.model = static_cast<int32_t>((leaf1.eax >> 4) & 0xF);
    id.family = static_cast<int32_t>((leaf1.eax >> 8) & 0xF);
    id.type = (leaf1.eax >> 12) & 0x3;
    id.brandIndex = leaf1.ebx & 0xFF;
    return id;
}

std::string VendorSignature(const Registers& leaf0) {
    return TextOf({leaf0.ebx, leaf0.edx, leaf0.ecx});
}

std::string BrandText(const Registers& first, const Registers& second, const Registers& third) {
    return TextOf({first.eax, first.ebx, first.ecx, first.edx, second.eax, second.ebx, second.ecx,
                   second.edx, third.eax, third.ebx, third.ecx, third.edx});
}

FeatureFlags DecodeFeatures(uint32_t extendedEdx, uint32_t standardEdx) {
    FeatureFlags flags;
    for (const FeatureBit& b : kExtendedBits) {
        if (Bit(extendedEdx, b.bit)) flags.Set(b.flag);
    }
    for (const FeatureBit& b : kStandardBits) {
        if (Bit(standardEdx, b.bit)) flags.Set(b.flag);
    }
    return flags;
}

Descriptors DescriptorBytes(const Registers& leaf2) {
    Descriptors bytes{};
    const uint32_t regs[4] = {leaf2.eax, leaf2.ebx, leaf2.ecx, leaf2.edx};
    for (int i = 0; i < 16; ++i) {
        bytes[i] = static_cast<uint8_t>((regs[i / 4] >> (8 * (i % 4))) & 0xFF);
    }
    return bytes;
}

CacheSizes DecodeIntelCache(const Descriptors& bytes) {
    CacheSizes c;
    // The first byte is the call count, not a descriptor, for the second level.
    for (size_t i = 1; i < bytes.size(); ++i) {
        for (const Descriptor& d : kLevel2) {
            if (bytes[i] == d.code) c.level2 = d.kilobytes;
        }
    }
    for (uint8_t b : bytes) {
        if (b == 0x0A) c.l1Data = 8;
        if (b == 0x0C) c.l1Data = 16;
        if (b == 0x06) c.l1Code = 8;
        if (b == 0x08) c.l1Code = 16;
        if (b == 0x80) c.level1 = 16;
    }
    return c;
}

CacheSizes DecodeAmdCache(const Registers& leaf80000005) {
    CacheSizes c;
    c.l1Data = static_cast<int32_t>(leaf80000005.ecx >> 24);
    c.l1Code = static_cast<int32_t>(leaf80000005.edx >> 24);
    c.level1 = c.l1Data + c.l1Code;
    return c;
}

CacheSizes DecodeCyrixCache(const Registers& leaf80000005) {
    CacheSizes c;
    for (int i = 0; i < 4; ++i) {
        if (((leaf80000005.ecx >> (8 * i)) & 0xFF) == 0x80) c.level1 = 16;
    }
    return c;
}

std::string SerialText(uint32_t high, uint32_t middle, uint32_t low) {
    auto part = [](uint32_t r) { return Format("%04X-%04X", r >> 16, r & 0xFFFF); };
    return part(high) + "-" + part(middle) + "-" + part(low);
}

bool DivisionFlawed(double x, double y) {
    // volatile keeps the compiler from working it out itself: the processor's divider is tested.
    volatile long double lx = x;
    volatile long double ly = y;
    const long double quotient = lx / ly;
    volatile long double back = quotient * ly;
    return back - lx != 0.0L;
}

bool ProcessorDividesWrongly() {
    return DivisionFlawed(4195835.0, 3145727.0);
}

}  // namespace rb::cpu
