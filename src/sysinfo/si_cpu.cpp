// The processor section's published properties and its report; the gathering is in
// si_cpu_gather.cpp.
#include "sysinfo/si_cpu.h"

#include "core/text.h"

namespace rb {

const ClassInfo& TCPUFeatures::StaticClass() {
    using C = TCPUFeatures;
    static const ClassInfo info("TCPUFeatures", &TInfoProcessChild::StaticClass(),
                                {
                                    Prop<&C::_3DNOW>("_3DNOW"),
                                    Prop<&C::EX_3DNOW>("EX_3DNOW"),
                                    Prop<&C::EX_MMX>("EX_MMX"),
                                    Prop<&C::SIMD>("SIMD"),
                                    Prop<&C::SERIAL>("SERIAL"),
                                    Prop<&C::XSR>("XSR"),
                                    Prop<&C::MMX>("MMX"),
                                    Prop<&C::PSE36>("PSE36"),
                                    Prop<&C::PAT>("PAT"),
                                    Prop<&C::CMOV>("CMOV"),
                                    Prop<&C::MCA>("MCA"),
                                    Prop<&C::PGE>("PGE"),
                                    Prop<&C::MTRR>("MTRR"),
                                    Prop<&C::SEP>("SEP"),
                                    Prop<&C::APIC>("APIC"),
                                    Prop<&C::CX8>("CX8"),
                                    Prop<&C::MCE>("MCE"),
                                    Prop<&C::PAE>("PAE"),
                                    Prop<&C::MSR>("MSR"),
                                    Prop<&C::TSC>("TSC"),
                                    Prop<&C::PSE>("PSE"),
                                    Prop<&C::DE>("DE"),
                                    Prop<&C::VME>("VME"),
                                    Prop<&C::FPU>("FPU"),
                                },
                                MakeInstance<TCPUFeatures>);
    return info;
}

const ClassInfo& TCPUCache::StaticClass() {
    using C = TCPUCache;
    static const ClassInfo info("TCPUCache", &TInfoProcessChild::StaticClass(),
                                {
                                    Prop<&C::Vendor>("Vendor"),
                                    Prop<&C::L1Data>("L1Data"),
                                    Prop<&C::L1Code>("L1Code"),
                                    Prop<&C::Level1>("Level1"),
                                    Prop<&C::Level2>("Level2"),
                                },
                                MakeInstance<TCPUCache>);
    return info;
}

const ClassInfo& TCPU::StaticClass() {
    using C = TCPU;
    static const ClassInfo info("TCPU", &TInfoProcess::StaticClass(),
                                {
                                    Prop<&C::Count>("Count"),
                                    Prop<&C::VendorEx>("VendorEx"),
                                    Prop<&C::VendorID>("VendorID"),
                                    Prop<&C::Frequency>("Frequency"),
                                    Prop<&C::Family>("Family"),
                                    Prop<&C::Stepping>("Stepping"),
                                    Prop<&C::Model>("Model"),
                                    Prop<&C::Features>("Features"),
                                    Prop<&C::Cache>("Cache"),
                                    Prop<&C::SerialNumber>("SerialNumber"),
                                    Prop<&C::FDIVBug>("FDIVBug"),
                                    Prop<&C::CodeName>("CodeName"),
                                    Prop<&C::Transistors>("Transistors"),
                                },
                                MakeInstance<TCPU>);
    return info;
}

TCPU::TCPU(TStringCollection* errorList)
    : TInfoProcess(errorList),
      Features(std::make_unique<TCPUFeatures>(errorList)),
      Cache(std::make_unique<TCPUCache>(errorList)) {
    SetCaption("CPU");
}

void TCPU::Report(StringList& list) {
    list.Add("[CPU]");
    list.Add(Format("Count=%d", Count));
    list.Add(Format("Frequency=%d", Frequency));
    list.Add("VendorID=" + VendorID);
    list.Add("Vendor=" + Vendor);
    list.Add(Format("Family=%d", Family));
    list.Add(Format("Model=%d", Model));
    list.Add(Format("Stepping=%d", Stepping));
    list.Add("CodeName=" + CodeName);
    list.Add(Format("Transistors=%d", Transistors));
    list.Add("SerialNumber=" + SerialNumber);
    list.Add(Format("FDIVBug=%d", FDIVBug ? 1 : 0));
    Features->Report(list);
    Cache->Report(list);
}

namespace {

// Report lines of the feature flags; their order is not the declaration order.
struct FeatureLine {
    const char* label;
    bool TCPUFeatures::*flag;
};

const FeatureLine kFeatureLines[] = {
    {"3D Now! extensions", &TCPUFeatures::_3DNOW},
    {"Enhanced 3D Now! extensions", &TCPUFeatures::EX_3DNOW},
    {"Enhanced MMX extensions", &TCPUFeatures::EX_MMX},
    {"SIMD instructions", &TCPUFeatures::SIMD},
    {"FXSAVE/FXRSTOR instruction", &TCPUFeatures::XSR},
    {"MMX extensions", &TCPUFeatures::MMX},
    {"Serial number", &TCPUFeatures::SERIAL},
    {"36bit Page Size Extension", &TCPUFeatures::PSE36},
    {"Page Attribute Table", &TCPUFeatures::PAT},
    {"CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes", &TCPUFeatures::CMOV},
    {"Machine Check Architecture", &TCPUFeatures::MCA},
    {"Page Global Extension", &TCPUFeatures::PGE},
    {"Memory Type Range Registers", &TCPUFeatures::MTRR},
    {"SYSENTER/SYSEXIT extension", &TCPUFeatures::SEP},
    {"Processor contains an enabled APIC", &TCPUFeatures::APIC},
    {"CMPXCHG8B instruction", &TCPUFeatures::CX8},
    {"Machine Check Exception", &TCPUFeatures::MCE},
    {"Physical Address Extension", &TCPUFeatures::PAE},
    {"Model Specific Registers", &TCPUFeatures::MSR},
    {"Time Stamp Counter", &TCPUFeatures::TSC},
    {"Page Size Extension", &TCPUFeatures::PSE},
    {"Debugging Extension", &TCPUFeatures::DE},
    {"Virtual Mode Extension", &TCPUFeatures::VME},
    {"Built-In FPU", &TCPUFeatures::FPU},
};

}  // namespace

void TCPUFeatures::Report(StringList& list) {
    list.Add("[CPU Features]");
    for (const FeatureLine& line : kFeatureLines) {
        list.Add(Format("%s=%d", line.label, this->*line.flag ? 1 : 0));
    }
}

void TCPUCache::Report(StringList& list) {
    list.Add("[CPU Cache]");
    list.Add(Format("Level 1 Data Cache=%d", L1Data));
    list.Add(Format("Level 1 Instruction Cache=%d", L1Code));
    list.Add(Format("Level 1 Unified Cache=%d", Level1));
    list.Add(Format("Level 2 Unified Cache=%d", Level2));
}

}  // namespace rb
