// Gathering of the processor section over the platform: the registry texts, CPUID, the clock
// measurement; the decoding itself is in cpu_decode.cpp and cpu_naming.cpp.
#include <algorithm>
#include <iterator>

#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/cpu_decode.h"
#include "sysinfo/cpu_frequency.h"
#include "sysinfo/si_cpu.h"

namespace rb {

// The section's error prefixes, as the error list shows them.
constexpr char kErrorPrefix[] = "TCPU.GetInfo: ";
constexpr char kFeaturesErrorPrefix[] = "TCPUFeatures.GetInfo: ";
constexpr char kCacheErrorPrefix[] = "TCPUCache.GetInfo: ";

namespace {

using platform::CpuidRegisters;
using platform::Current;

const char kProcessorKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

void ReadRegistryTexts(TCPU& cpu) {
    if (auto key = Current().Reg().Open(platform::RootKey::LocalMachine, kProcessorKey)) {
        cpu.VendorIdentifier = key->ReadString("VendorIdentifier").value_or("");
        cpu.Identifier = key->ReadString("Identifier").value_or("");
    }
}

// Leaf 1 (family, model, stepping, type, brand index), then leaf 0 (vendor); the serial
// number needs leaf 1 again, so it is returned.
CpuidRegisters Identify(TCPU& cpu, platform::ProcessorArea& p) {
    const CpuidRegisters leaf1 = p.Cpuid(1);
    const cpu::Identification id = cpu::Identify(leaf1);
    cpu.Family = id.family;
    cpu.Model = id.model;
    cpu.Stepping = id.stepping;
    cpu.CPUType = id.type;
    cpu.BrandIndex = id.brandIndex;

    const CpuidRegisters leaf0 = p.Cpuid(0);
    cpu.MaxStandardLeaf = leaf0.eax;
    cpu.Signature = cpu::VendorSignature(leaf0);
    const cpu::Vendor vendor = cpu::LookUpVendor(cpu.Signature);
    cpu.VendorIndex = vendor.index;
    cpu.Vendor = vendor.shortName;
    if (vendor.index != cpu::kUnknown) cpu.VendorEx = vendor.longName;
    return leaf1;
}

void Name(TCPU& cpu) {
    const cpu::Naming naming = cpu::LookUpName({cpu.VendorIndex, cpu.Family, cpu.Model,
                                                cpu.Frequency, cpu.Cache->Level2, cpu.CPUType,
                                                cpu.BrandIndex});
    cpu.VendorID = naming.vendorId;
    cpu.CodeName = naming.codeName;
    cpu.Transistors = naming.transistors;
}

// The steps of TCPU::GetInfo, in order; an error leaves what the earlier steps filled. The
// leaves are asked without checking that the processor has them, as everywhere.
void Gather(TCPU& cpu) {
    platform::ProcessorArea& p = Current().Processor();
    cpu.Count = static_cast<int32_t>(p.ProcessorCount());
    ReadRegistryTexts(cpu);
    cpu.Frequency = cpu::MeasureFrequency(p);
    const CpuidRegisters leaf1 = Identify(cpu, p);

    cpu.Features->GetInfo();
    if (cpu.Features->SERIAL) {
        // The upper 32 bits are the signature of leaf 1; the lower 64 come from leaf 3.
        const CpuidRegisters leaf3 = p.Cpuid(3);
        cpu.SerialNumber = cpu::SerialText(leaf1.eax, leaf3.edx, leaf3.ecx);
    }
    const CpuidRegisters b1 = p.Cpuid(0x80000002), b2 = p.Cpuid(0x80000003),
                         b3 = p.Cpuid(0x80000004);
    cpu.BrandText = cpu::BrandText(b1, b2, b3);
    cpu.FDIVBug = cpu::ProcessorDividesWrongly();

    cpu.Cache->Vendor = cpu.VendorIndex;
    cpu.Cache->GetInfo();
    Name(cpu);
}

}  // namespace

void TCPU::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [this] { Gather(*this); });
}

namespace {

using cpu::Feature;
struct FeatureMember {
    Feature feature;
    bool TCPUFeatures::*member;
};
constexpr FeatureMember kFeatureMembers[] = {
    {Feature::_3DNOW, &TCPUFeatures::_3DNOW}, {Feature::EX_3DNOW, &TCPUFeatures::EX_3DNOW},
    {Feature::EX_MMX, &TCPUFeatures::EX_MMX}, {Feature::SIMD, &TCPUFeatures::SIMD},
    {Feature::SERIAL, &TCPUFeatures::SERIAL}, {Feature::XSR, &TCPUFeatures::XSR},
    {Feature::MMX, &TCPUFeatures::MMX},       {Feature::PSE36, &TCPUFeatures::PSE36},
    {Feature::PAT, &TCPUFeatures::PAT},       {Feature::CMOV, &TCPUFeatures::CMOV},
    {Feature::MCA, &TCPUFeatures::MCA},       {Feature::PGE, &TCPUFeatures::PGE},
    {Feature::MTRR, &TCPUFeatures::MTRR},     {Feature::SEP, &TCPUFeatures::SEP},
    {Feature::APIC, &TCPUFeatures::APIC},     {Feature::CX8, &TCPUFeatures::CX8},
    {Feature::MCE, &TCPUFeatures::MCE},       {Feature::PAE, &TCPUFeatures::PAE},
    {Feature::MSR, &TCPUFeatures::MSR},       {Feature::TSC, &TCPUFeatures::TSC},
    {Feature::PSE, &TCPUFeatures::PSE},       {Feature::DE, &TCPUFeatures::DE},
    {Feature::VME, &TCPUFeatures::VME},       {Feature::FPU, &TCPUFeatures::FPU},
};
static_assert(std::size(kFeatureMembers) == static_cast<size_t>(Feature::Count));

}  // namespace

void TCPUFeatures::GetInfo() {
    GatherGuarded(ErrorList(), kFeaturesErrorPrefix, [this] {
        platform::ProcessorArea& p = platform::Current().Processor();
        const platform::CpuidRegisters extended = p.Cpuid(0x80000001);
        const platform::CpuidRegisters standard = p.Cpuid(1);
        Eax = standard.eax;
        Ebx = standard.ebx;
        Ecx = standard.ecx;
        Edx = standard.edx;
        const cpu::FeatureFlags flags = cpu::DecodeFeatures(extended.edx, standard.edx);
        for (const FeatureMember& m : kFeatureMembers) this->*m.member = flags.Has(m.feature);
    });
}

namespace {

// Leaf 2 as many times as its first answer says; the last answer's bytes count. A first
// answer of 0 leaves no descriptors.
cpu::Descriptors IntelDescriptors(platform::ProcessorArea& p) {
    platform::CpuidRegisters r = p.Cpuid(2);
    const uint32_t calls = r.eax & 0xFF;
    if (calls == 0) return cpu::Descriptors{};
    for (uint32_t i = 1; i < calls; ++i) r = p.Cpuid(2);
    return cpu::DescriptorBytes(r);
}

}  // namespace

void TCPUCache::GetInfo() {
    L1Data = L1Code = Level1 = Level2 = 0;
    std::fill(std::begin(Descriptors), std::end(Descriptors), 0);
    std::fill(std::begin(ExtendedRegs), std::end(ExtendedRegs), 0);
    GatherGuarded(ErrorList(), kCacheErrorPrefix, [this] {
        platform::ProcessorArea& p = platform::Current().Processor();
        cpu::CacheSizes sizes;
        if (Vendor == cpu::kIntel) {
            const cpu::Descriptors bytes = IntelDescriptors(p);
            std::copy(bytes.begin(), bytes.end(), Descriptors);
            sizes = cpu::DecodeIntelCache(bytes);
        } else if (Vendor == cpu::kAMD || Vendor == cpu::kCyrix) {
            const platform::CpuidRegisters r = p.Cpuid(0x80000005);
            ExtendedRegs[0] = r.eax;
            ExtendedRegs[1] = r.ebx;
            ExtendedRegs[2] = r.ecx;
            ExtendedRegs[3] = r.edx;
            sizes = Vendor == cpu::kAMD ? cpu::DecodeAmdCache(r) : cpu::DecodeCyrixCache(r);
        }
        L1Data = sizes.l1Data;
        L1Code = sizes.l1Code;
        Level1 = sizes.level1;
        Level2 = sizes.level2;
    });
}

}  // namespace rb
