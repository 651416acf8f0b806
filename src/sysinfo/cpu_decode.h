// Decoding of the processor's identification registers. Reading the hardware (the platform's
// Cpuid) is kept apart from these functions, which only turn raw register values into the
// section's values, so each step can be checked against recorded registers.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/processor.h"

namespace rb {

namespace cpu {

using Registers = platform::CpuidRegisters;

// Vendor indexes of the vendor table; 0 is an unknown vendor.
enum VendorIndex : uint32_t {
    kUnknown = 0,
    kIntel = 1,
    kAMD = 2,
    kCyrix = 3,
    kIDT = 4,
    kNexGen = 5,
    kUMC = 6,
    kRise = 7
};

struct Vendor {
    uint32_t index = kUnknown;
    const char* shortName = "";
    const char* longName = "";
};

// The row for a leaf 0 signature (exact, case-sensitive); index 0 when none.
Vendor LookUpVendor(std::string_view signature);

// Leaf 1, EAX and EBX.
struct Identification {
    int32_t family = 0;       // EAX bits 8-11
    int32_t model = 0;        // EAX bits 4-7
    int32_t stepping = 0;     // EAX bits 0-3
    uint32_t type = 0;        // EAX bits 12-13
    uint32_t brandIndex = 0;  // EBX bits 0-7
};
Identification Identify(const Registers& leaf1);

// The 12 bytes of EBX, EDX, ECX of leaf 0 (each low byte first), up to the first zero byte.
std::string VendorSignature(const Registers& leaf0);

// The 48 bytes of leaves 0x80000002..4 (EAX, EBX, ECX, EDX each), up to the first zero byte.
std::string BrandText(const Registers& first, const Registers& second, const Registers& third);

// The processor features the section publishes, in its published order.
enum class Feature {
    _3DNOW, EX_3DNOW, EX_MMX, SIMD, SERIAL, XSR, MMX, PSE36, PAT, CMOV, MCA, PGE,
    MTRR, SEP, APIC, CX8, MCE, PAE, MSR, TSC, PSE, DE, VME, FPU, Count
};
class FeatureFlags {
public:
    bool Has(Feature f) const { return bits_.test(static_cast<size_t>(f)); }
    void Set(Feature f) { bits_.set(static_cast<size_t>(f)); }
    size_t Count() const { return bits_.count(); }

private:
    std::bitset<static_cast<size_t>(Feature::Count)> bits_;
};

// The flags EDX of leaf 0x80000001 and EDX of leaf 1 state.
FeatureFlags DecodeFeatures(uint32_t extendedEdx, uint32_t standardEdx);

// Cache sizes in kilobytes.
struct CacheSizes {
    int32_t l1Data = 0;
    int32_t l1Code = 0;
    int32_t level1 = 0;  // unified first level
    int32_t level2 = 0;
    bool operator==(const CacheSizes& o) const {
        return l1Data == o.l1Data && l1Code == o.l1Code && level1 == o.level1 && level2 == o.level2;
    }
};

using Descriptors = std::array<uint8_t, 16>;
// The 16 descriptor bytes of leaf 2: EAX, EBX, ECX, EDX, each register low byte first.
Descriptors DescriptorBytes(const Registers& leaf2);
CacheSizes DecodeIntelCache(const Descriptors& bytes);
CacheSizes DecodeAmdCache(const Registers& leaf80000005);
CacheSizes DecodeCyrixCache(const Registers& leaf80000005);

// "XXXX-XXXX-XXXX-XXXX-XXXX-XXXX": the three registers in upper-case hexadecimal.
std::string SerialText(uint32_t high, uint32_t middle, uint32_t low);

// The flawed-divider test: x / y * y - x in extended precision is not exactly 0. The
// processor's check is DivisionFlawed(4195835.0, 3145727.0).
bool DivisionFlawed(double x, double y);
bool ProcessorDividesWrongly();

// The naming table's answer; empty texts and 0 when no row applies.
struct Naming {
    std::string vendorId;
    std::string codeName;
    int32_t transistors = 0;
};
struct NamingKey {
    uint32_t vendor = kUnknown;
    int32_t family = 0;
    int32_t model = 0;
    int32_t frequency = 0;  // measured, MHz
    int32_t level2 = 0;     // kilobytes
    uint32_t type = 0;
    uint32_t brandIndex = 0;
};
Naming LookUpName(const NamingKey& key);

}  // namespace cpu
}  // namespace rb
