#include "sysinfo/msystem_info.h"

#include "sysinfo/routines.h"

namespace rb {

const ClassInfo& TMSystemInfo::StaticClass() {
    using S = TMSystemInfo;
    static const ClassInfo info("TMSystemInfo", &Component::StaticClass(),
                                {
                                    Prop<&S::CPU>("CPU"),
                                    Prop<&S::Memory>("Memory"),
                                    Prop<&S::OS>("OS"),
                                    Prop<&S::Disks>("Disks"),
                                    Prop<&S::Machine>("Machine"),
                                    Prop<&S::Displays>("Displays"),
                                    Prop<&S::Media>("Media"),
                                    Prop<&S::Devices>("Devices"),
                                    Prop<&S::Engines>("Engines"),
                                    Prop<&S::APM>("APM"),
                                    Prop<&S::DirectX>("DirectX"),
                                    Prop<&S::Processes>("Processes"),
                                    Prop<&S::Printers>("Printers"),
                                    Prop<&S::Software>("Software"),
                                    Prop<&S::Startup>("Startup"),
                                    Prop<&S::Services>("Services"),
                                    Prop<&S::Network>("Network"),
                                    Prop<&S::PerformanceInfo>("PerformanceInfo"),
                                    Prop<&S::ErrorList>("ErrorList"),
                                    Prop<&S::ProcessList>("ProcessList"),
                                },
                                MakeInstance<TMSystemInfo>);
    return info;
}

TMSystemInfo::TMSystemInfo(Component* owner) : Component(owner) {
    // Every section appends to the one error list; Network, Displays and Media read Devices,
    // which therefore exists before them.
    ErrorList = std::make_unique<TStringCollection>();
    TStringCollection* errors = ErrorList.get();
    PerformanceInfo = std::make_unique<TPerformanceInfo>(errors);
    CPU = std::make_unique<TCPU>(errors);
    Memory = std::make_unique<TMemory>(errors);
    OS = std::make_unique<TOperatingSystem>(errors);
    Disks = std::make_unique<TDisks>(errors);
    Machine = std::make_unique<TMachine>(errors);
    Devices = std::make_unique<TDevices>(errors);
    Network = std::make_unique<TNetwork>(errors, Devices.get());
    Displays = std::make_unique<TDisplays>(errors, Devices.get());
    Media = std::make_unique<TMedia>(errors, Devices.get());
    Engines = std::make_unique<TEngines>(errors);
    APM = std::make_unique<TAPM>(errors);
    DirectX = std::make_unique<TDirectX>(errors);
    Processes = std::make_unique<TProcesses>(errors);
    Printers = std::make_unique<TPrinters>(errors);
    Software = std::make_unique<TSoftware>(errors);
    Startup = std::make_unique<TStartup>(errors);
    Services = std::make_unique<TServicesCollection>(errors);
}

TMSystemInfo::~TMSystemInfo() {
    // Sections refer to the error list and to Devices: they go first.
    Services.reset();
    Startup.reset();
    Software.reset();
    Printers.reset();
    Processes.reset();
    DirectX.reset();
    APM.reset();
    Engines.reset();
    Media.reset();
    Displays.reset();
    Network.reset();
    Devices.reset();
    Machine.reset();
    Disks.reset();
    OS.reset();
    Memory.reset();
    CPU.reset();
    PerformanceInfo.reset();
    ErrorList.reset();
}

int32_t TMSystemInfo::CountSteps(TProcessPages pages) {
    int32_t count = 0;
    for (int bit = 0; bit < 20; ++bit) {
        const auto page = static_cast<TProcessPage>(bit);
        if (page != TProcessPage::pgPerformance && pages.Contains(page)) ++count;
    }
    return count;
}

namespace {

// The refresh steps in their fixed order: the page that selects a step, and its section.
struct RefreshStep {
    TProcessPage page;
    InfoSection& (*section)(TMSystemInfo&);
};

const RefreshStep kRefreshSteps[] = {
    {TProcessPage::pgCPU, [](TMSystemInfo& s) -> InfoSection& { return *s.CPU; }},
    {TProcessPage::pgOS, [](TMSystemInfo& s) -> InfoSection& { return *s.OS; }},
    {TProcessPage::pgMem, [](TMSystemInfo& s) -> InfoSection& { return *s.Memory; }},
    {TProcessPage::pgWksta, [](TMSystemInfo& s) -> InfoSection& { return *s.Machine; }},
    {TProcessPage::pgDev, [](TMSystemInfo& s) -> InfoSection& { return *s.Devices; }},
    {TProcessPage::pgDisk, [](TMSystemInfo& s) -> InfoSection& { return *s.Disks; }},
    {TProcessPage::pgNet, [](TMSystemInfo& s) -> InfoSection& { return *s.Network; }},
    {TProcessPage::pgDisplay, [](TMSystemInfo& s) -> InfoSection& { return *s.Displays; }},
    {TProcessPage::pgMedia, [](TMSystemInfo& s) -> InfoSection& { return *s.Media; }},
    {TProcessPage::pgEng, [](TMSystemInfo& s) -> InfoSection& { return *s.Engines; }},
    {TProcessPage::pgEng, [](TMSystemInfo& s) -> InfoSection& { return *s.DirectX; }},
    {TProcessPage::pgAPM, [](TMSystemInfo& s) -> InfoSection& { return *s.APM; }},
    {TProcessPage::pgProcs, [](TMSystemInfo& s) -> InfoSection& { return *s.Processes; }},
    {TProcessPage::pgPrn, [](TMSystemInfo& s) -> InfoSection& { return *s.Printers; }},
    {TProcessPage::pgSoftware, [](TMSystemInfo& s) -> InfoSection& { return *s.Software; }},
    {TProcessPage::pgStartup, [](TMSystemInfo& s) -> InfoSection& { return *s.Startup; }},
    {TProcessPage::pgServices, [](TMSystemInfo& s) -> InfoSection& { return *s.Services; }},
};

// The report's order differs from the gathering order.
using ReportFn = void (*)(TMSystemInfo&, StringList&);
const ReportFn kReportOrder[] = {
    [](TMSystemInfo& s, StringList& l) { s.Machine->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.OS->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.CPU->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Memory->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Displays->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.APM->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Media->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Network->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Devices->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Engines->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.DirectX->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Disks->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Processes->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Printers->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Software->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Startup->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.Services->Report(l); },
    [](TMSystemInfo& s, StringList& l) { s.PerformanceInfo->Report(l); },
};

}  // namespace

void TMSystemInfo::Refresh() {
    // The first editions of Windows 95 and 98 have no service list to read.
    const OsKind kind = Facts().Kind;
    if (kind == OsKind::Win95 || kind == OsKind::Win98) {
        ProcessList.Exclude(TProcessPage::pgServices);
    }
    PerformanceInfo->Start();
    step_ = 0;
    OnStarts(this, CountSteps(ProcessList));
    for (const RefreshStep& step : kRefreshSteps) {
        if (!ProcessList.Contains(step.page)) continue;
        InfoSection& section = step.section(*this);
        section.GetInfo();
        ProgressStep(section.Caption());
    }
}

void TMSystemInfo::ProgressStep(const std::string& caption) {
    ++step_;
    PerformanceInfo->StepDone(caption);
    OnCompleteProcess(this, caption, step_);
}

void TMSystemInfo::Report(StringList& list) {
    for (ReportFn report : kReportOrder) report(*this, list);
}

void RegisterInformationClasses() {
    RegisterSectionBaseClasses();
    static const ClassInfo* const classes[] = {
        &TMSystemInfo::StaticClass(),     &TCPU::StaticClass(),
        &TMemory::StaticClass(),          &TOperatingSystem::StaticClass(),
        &TDisks::StaticClass(),           &TDisk::StaticClass(),
        &TMachine::StaticClass(),         &TDisplays::StaticClass(),
        &TDisplay::StaticClass(),         &TMedia::StaticClass(),
        &TMediaItem::StaticClass(),       &TDevices::StaticClass(),
        &TDevice::StaticClass(),          &TEngines::StaticClass(),
        &TAPM::StaticClass(),             &TDirectX::StaticClass(),
        &TProcesses::StaticClass(),       &TProcess::StaticClass(),
        &TPrinters::StaticClass(),        &TPrinterDeviceComplete::StaticClass(),
        &TSoftware::StaticClass(),        &TStartup::StaticClass(),
        &TStartupItem::StaticClass(),     &TServicesCollection::StaticClass(),
        &TServiceItem::StaticClass(),     &TNetwork::StaticClass(),
        &TNetworkItem::StaticClass(),     &TPerformanceInfo::StaticClass(),
        &TPerformanceItem::StaticClass(), &TStringCollection::StaticClass(),
        &TCPUFeatures::StaticClass(),     &TCPUCache::StaticClass(),
        &TTimeZone::StaticClass(),        &TNTSpecific::StaticClass(),
        &TWinsock::StaticClass(),         &TWOCMediaItem::StaticClass(),
        &TWICMediaItem::StaticClass(),    &TMOCMediaItem::StaticClass(),
        &TMICMediaItem::StaticClass(),    &TAXCMediaItem::StaticClass(),
        &TMXCMediaItem::StaticClass(),
    };
    for (const ClassInfo* c : classes) RegisterPersistentClass(*c);
}

}  // namespace rb
