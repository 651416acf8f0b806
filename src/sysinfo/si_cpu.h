// The processor: count, vendor, identification, measured clock, feature flags and cache sizes.
// Everything but Count describes the processor that runs the refresh.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sysinfo/section_base.h"

namespace rb {

// Feature flags from the EDX registers of CPUID leaves 1 and 0x80000001.
class TCPUFeatures : public TInfoProcessChild {
    RB_PERSISTENT_CLASS
public:
    explicit TCPUFeatures(TStringCollection* errorList = nullptr)
        : TInfoProcessChild(errorList) {}
    void GetInfo() override;
    void Report(StringList& list) override;

    // Published, in this order.
    bool _3DNOW = false;
    bool EX_3DNOW = false;
    bool EX_MMX = false;
    bool SIMD = false;
    bool SERIAL = false;
    bool XSR = false;
    bool MMX = false;
    bool PSE36 = false;
    bool PAT = false;
    bool CMOV = false;
    bool MCA = false;
    bool PGE = false;
    bool MTRR = false;
    bool SEP = false;
    bool APIC = false;
    bool CX8 = false;
    bool MCE = false;
    bool PAE = false;
    bool MSR = false;
    bool TSC = false;
    bool PSE = false;
    bool DE = false;
    bool VME = false;
    bool FPU = false;

    // The registers of the last CPUID call.
    uint32_t Eax = 0, Ebx = 0, Ecx = 0, Edx = 0;
};

// Cache sizes in kilobytes, decoded by vendor.
class TCPUCache : public TInfoProcessChild {
    RB_PERSISTENT_CLASS
public:
    explicit TCPUCache(TStringCollection* errorList = nullptr) : TInfoProcessChild(errorList) {}
    void GetInfo() override;
    void Report(StringList& list) override;

    // Published, in this order.
    uint32_t Vendor = 0;  // vendor index, copied from the processor before gathering
    int32_t L1Data = 0;
    int32_t L1Code = 0;
    int32_t Level1 = 0;  // unified first-level cache
    int32_t Level2 = 0;

    // Raw sources: the leaf 2 descriptor bytes (Intel) and the leaf 0x80000005 registers.
    uint8_t Descriptors[16] = {};
    uint32_t ExtendedRegs[4] = {};
};

class TCPU : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TCPU(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    // Published, in this order.
    int32_t Count = 0;
    std::string VendorEx;  // long vendor name
    std::string VendorID;  // marketing name; empty when the naming table has no row
    int32_t Frequency = 0;  // MHz, snapped to a standard value
    int32_t Family = 0;
    int32_t Stepping = 0;
    int32_t Model = 0;
    std::unique_ptr<TCPUFeatures> Features;
    std::unique_ptr<TCPUCache> Cache;
    std::string SerialNumber;
    bool FDIVBug = false;
    std::string CodeName;
    int32_t Transistors = 0;

    // Not published.
    std::string VendorIdentifier;  // registry texts of processor 0
    std::string Identifier;
    std::string Vendor;            // short vendor name, reported as "Vendor"
    uint32_t CPUType = 0;          // leaf 1, EAX bits 12-13
    uint32_t MaxStandardLeaf = 0;  // leaf 0, EAX
    std::string Signature;         // the 12-character vendor signature
    std::string BrandText;         // the 48-character brand text
    uint32_t BrandIndex = 0;       // leaf 1, EBX bits 0-7
    uint32_t VendorIndex = 0;      // 0 unknown, 1..7 as in the vendor table
};

}  // namespace rb
