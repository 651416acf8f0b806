#include "service/console/inventory_view.h"

#include <array>

#include "core/text.h"
#include "sysinfo/msystem_info.h"
#include "service/filing/filing.h"
#include "xml/sys_info_xml.h"

namespace rb::service::console {
namespace {

using P = TProcessPage;
using Section = InfoSection& (*)(TMSystemInfo&);

// The sections in the order of a collection: what selects each, and how its lines in the error
// list begin.
struct HealthRow {
    P page;
    Section section;
    std::array<const char*, 3> prefixes;
};
const HealthRow kHealthRows[] = {
    {P::pgCPU, [](TMSystemInfo& s) -> InfoSection& { return *s.CPU; },
     {"TCPU.", "TCPUFeatures.", "TCPUCache."}},
    {P::pgOS, [](TMSystemInfo& s) -> InfoSection& { return *s.OS; },
     {"TOperatingSystem.", "TTimeZone.", "TNTSpecific."}},
    {P::pgMem, [](TMSystemInfo& s) -> InfoSection& { return *s.Memory; }, {"TMemory."}},
    {P::pgWksta, [](TMSystemInfo& s) -> InfoSection& { return *s.Machine; }, {"TMachine."}},
    {P::pgDev, [](TMSystemInfo& s) -> InfoSection& { return *s.Devices; }, {"TDevices."}},
    {P::pgDisk, [](TMSystemInfo& s) -> InfoSection& { return *s.Disks; }, {"TDisks.", "TDisk."}},
    {P::pgNet, [](TMSystemInfo& s) -> InfoSection& { return *s.Network; },
     {"TNetwork.", "TWinsock."}},
    {P::pgDisplay, [](TMSystemInfo& s) -> InfoSection& { return *s.Displays; },
     {"TDisplays.", "TDisplay."}},
    {P::pgMedia, [](TMSystemInfo& s) -> InfoSection& { return *s.Media; }, {"TMedia."}},
    {P::pgEng, [](TMSystemInfo& s) -> InfoSection& { return *s.Engines; }, {"TEngines."}},
    {P::pgEng, [](TMSystemInfo& s) -> InfoSection& { return *s.DirectX; }, {"TDirectX."}},
    {P::pgAPM, [](TMSystemInfo& s) -> InfoSection& { return *s.APM; }, {"TAPM."}},
    {P::pgProcs, [](TMSystemInfo& s) -> InfoSection& { return *s.Processes; }, {"TProcesses."}},
    {P::pgPrn, [](TMSystemInfo& s) -> InfoSection& { return *s.Printers; }, {"TPrinters."}},
    {P::pgSoftware, [](TMSystemInfo& s) -> InfoSection& { return *s.Software; }, {"TSoftware."}},
    {P::pgStartup, [](TMSystemInfo& s) -> InfoSection& { return *s.Startup; }, {"TStartup."}},
    {P::pgServices, [](TMSystemInfo& s) -> InfoSection& { return *s.Services; },
     {"Servicios: "}},
};

bool BeginsWithAny(const std::string& line, const std::array<const char*, 3>& prefixes) {
    for (const char* prefix : prefixes) {
        if (prefix && line.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

std::vector<SectionHealth> HealthOf(TMSystemInfo& info) {
    std::vector<SectionHealth> health;
    const std::vector<std::string> errors = info.ErrorList->GetStrings().Lines();
    for (const HealthRow& row : kHealthRows) {
        SectionHealth h;
        h.caption = row.section(info).Caption();
        if (!info.ProcessList.Contains(row.page)) {
            h.state = SectionHealth::State::NotSelected;
        } else {
            for (const std::string& line : errors) {
                if (BeginsWithAny(line, row.prefixes)) h.errors.push_back(line);
            }
            if (!h.errors.empty()) h.state = SectionHealth::State::Failed;
            const TPerformanceInfo& timings = *info.PerformanceInfo;
            for (int i = 0; i < timings.Count(); ++i) {
                const auto& item = timings.ItemAs<TPerformanceItem>(i);
                if (item.TestName == h.caption) h.milliseconds = item.TimeElapsed;
            }
        }
        health.push_back(std::move(h));
    }
    return health;
}

}  // namespace

const char* StateText(SectionHealth::State state) {
    switch (state) {
        case SectionHealth::State::NotSelected: return "no seleccionada";
        case SectionHealth::State::Failed: return "con errores";
        case SectionHealth::State::Collected: break;
    }
    return "recogida";
}

InventoryView ViewOf(const Inventory& inventory) {
    InventoryView view;
    try {
        RegisterDocumentClasses();
        TXMLSysInfo document;
        document.LoadXML(inventory.xml);
        TMSystemInfo& info = *document.SystemInfo;
        view.health = HealthOf(info);
        const viewer::PageVisibility shown = viewer::ApplyPageMask(info.ProcessList);
        for (int page = 0; page < viewer::kPageCount; ++page) {
            const bool problems = page == viewer::kProblemsPage && info.ErrorList->Count() > 0;
            if (!shown.visible[page] && !problems) continue;
            view.pages.push_back(viewer::ContentOf(info, page, '.'));
        }
    } catch (const std::exception& e) {
        view.problem = std::string("El XML no se pudo leer: ") + e.what();
        view.health.clear();
        view.pages.clear();
    }
    return view;
}

}  // namespace rb::service::console
