#include "sysinfo/msystem_info.h"

#include <iterator>
#include <type_traits>
#include <vector>

#include "sysinfo/routines.h"

namespace rb {

namespace {

// One section of the inventory. The rows stand in the order of the gathering; the aggregate
// also makes its sections in this order (the device section before the sections that read it)
// and drops them in the reverse one. The document and the report each have an order of their
// own: a row gives its place in both.
struct SectionRow {
    const char* name;                                    // of its published property
    PropInfo (*property)(const char* name, const char* typeName);
    TProcessPage page;                                   // the page that selects its gathering
    int documentPlace;                                   // among the document's sections
    int reportPlace;                                     // among the report's sections
    void (*make)(TMSystemInfo&);
    void (*drop)(TMSystemInfo&);
    InfoSection& (*section)(TMSystemInfo&);
};

template <auto Member>
void MakeSection(TMSystemInfo& s) {
    using T = typename std::remove_reference_t<decltype(s.*Member)>::element_type;
    if constexpr (std::is_base_of_v<TInfoProcessCollectionWithDevices, T>) {
        s.*Member = std::make_unique<T>(s.ErrorList.get(), s.Devices.get());
    } else {
        s.*Member = std::make_unique<T>(s.ErrorList.get());
    }
}

template <auto Member>
constexpr SectionRow Row(const char* name, TProcessPage page, int documentPlace,
                         int reportPlace) {
    return {name,
            &Prop<Member>,
            page,
            documentPlace,
            reportPlace,
            &MakeSection<Member>,
            [](TMSystemInfo& s) { (s.*Member).reset(); },
            [](TMSystemInfo& s) -> InfoSection& { return *(s.*Member); }};
}

using S = TMSystemInfo;
using P = TProcessPage;

// property, page, place in the document, place in the report
constexpr SectionRow kSections[] = {
    Row<&S::CPU>("CPU", P::pgCPU, 0, 2),
    Row<&S::OS>("OS", P::pgOS, 2, 1),
    Row<&S::Memory>("Memory", P::pgMem, 1, 3),
    Row<&S::Machine>("Machine", P::pgWksta, 4, 0),
    Row<&S::Devices>("Devices", P::pgDev, 7, 8),
    Row<&S::Disks>("Disks", P::pgDisk, 3, 11),
    Row<&S::Network>("Network", P::pgNet, 16, 7),
    Row<&S::Displays>("Displays", P::pgDisplay, 5, 4),
    Row<&S::Media>("Media", P::pgMedia, 6, 6),
    Row<&S::Engines>("Engines", P::pgEng, 8, 9),
    Row<&S::DirectX>("DirectX", P::pgEng, 10, 10),
    Row<&S::APM>("APM", P::pgAPM, 9, 5),
    Row<&S::Processes>("Processes", P::pgProcs, 11, 12),
    Row<&S::Printers>("Printers", P::pgPrn, 12, 13),
    Row<&S::Software>("Software", P::pgSoftware, 13, 14),
    Row<&S::Startup>("Startup", P::pgStartup, 14, 15),
    Row<&S::Services>("Services", P::pgServices, 15, 16),
};
constexpr int kSectionCount = static_cast<int>(std::size(kSections));

// Every place from 0 to kSectionCount - 1 taken by exactly one row.
constexpr bool EveryPlaceOnce(int SectionRow::*place) {
    for (int wanted = 0; wanted < kSectionCount; ++wanted) {
        int rows = 0;
        for (const SectionRow& row : kSections) rows += row.*place == wanted ? 1 : 0;
        if (rows != 1) return false;
    }
    return true;
}
static_assert(EveryPlaceOnce(&SectionRow::documentPlace), "one section per document place");
static_assert(EveryPlaceOnce(&SectionRow::reportPlace), "one section per report place");

// The rows in the order one of the places gives.
std::vector<const SectionRow*> RowsBy(int SectionRow::*place) {
    std::vector<const SectionRow*> rows(kSectionCount);
    for (const SectionRow& row : kSections) rows[row.*place] = &row;
    return rows;
}

// The sections first, in the document's order, then the performance record, the error list
// and the selected pages.
std::vector<PropInfo> PublishedProperties() {
    std::vector<PropInfo> props;
    for (const SectionRow* row : RowsBy(&SectionRow::documentPlace)) {
        props.push_back(row->property(row->name, nullptr));
    }
    props.push_back(Prop<&S::PerformanceInfo>("PerformanceInfo"));
    props.push_back(Prop<&S::ErrorList>("ErrorList"));
    props.push_back(Prop<&S::ProcessList>("ProcessList"));
    return props;
}

}  // namespace

const ClassInfo& TMSystemInfo::StaticClass() {
    static const ClassInfo info("TMSystemInfo", &Component::StaticClass(), PublishedProperties(),
                                MakeInstance<TMSystemInfo>);
    return info;
}

TMSystemInfo::TMSystemInfo(Component* owner) : Component(owner) {
    // Every section appends to the one error list.
    ErrorList = std::make_unique<TStringCollection>();
    PerformanceInfo = std::make_unique<TPerformanceInfo>(ErrorList.get());
    for (const SectionRow& row : kSections) row.make(*this);
}

TMSystemInfo::~TMSystemInfo() {
    // Sections refer to the error list and to Devices: they go first.
    for (int i = kSectionCount - 1; i >= 0; --i) kSections[i].drop(*this);
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

void TMSystemInfo::Refresh() {
    // The first editions of Windows 95 and 98 have no service list to read.
    const OsKind kind = Facts().Kind;
    if (kind == OsKind::Win95 || kind == OsKind::Win98) {
        ProcessList.Exclude(TProcessPage::pgServices);
    }
    PerformanceInfo->Start();
    step_ = 0;
    OnStarts(this, CountSteps(ProcessList));
    for (const SectionRow& row : kSections) {
        if (!ProcessList.Contains(row.page)) continue;
        InfoSection& section = row.section(*this);
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
    for (const SectionRow* row : RowsBy(&SectionRow::reportPlace)) row->section(*this).Report(list);
    PerformanceInfo->Report(list);
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
