// The whole inventory of the computer: one object per area, the shared error list and the set
// of pages a refresh gathers. Its published properties, in order, are the XML document's
// element structure.
#pragma once

#include <memory>
#include <string>

#include "core/event.h"
#include "core/persistent.h"
#include "sysinfo/process_pages.h"
#include "sysinfo/si_apm.h"
#include "sysinfo/si_cpu.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/si_directx.h"
#include "sysinfo/si_disk.h"
#include "sysinfo/si_display.h"
#include "sysinfo/si_engines.h"
#include "sysinfo/si_machine.h"
#include "sysinfo/si_media.h"
#include "sysinfo/si_memory.h"
#include "sysinfo/si_network.h"
#include "sysinfo/si_os.h"
#include "sysinfo/si_performance_info.h"
#include "sysinfo/si_printers.h"
#include "sysinfo/si_processes.h"
#include "sysinfo/si_services.h"
#include "sysinfo/si_software.h"
#include "sysinfo/si_startup.h"
#include "sysinfo/string_collection.h"

namespace rb {

// Sender, ProcessCount
using TgiStartsEvent = Event<Persistent*, int32_t>;
// Sender, ProcessName, ProcessNumber
using TgiCompleteProcessEvent = Event<Persistent*, const std::string&, int32_t>;

class TMSystemInfo : public Component {
    RB_PERSISTENT_CLASS
public:
    explicit TMSystemInfo(Component* owner = nullptr);
    ~TMSystemInfo() override;

    // Gathers the sections selected by ProcessList, in the fixed order, firing the events.
    void Refresh();
    // Appends every section's text report (whatever each last gathered).
    void Report(StringList& list);
    // Number of selected steps as OnStarts reports it.
    static int32_t CountSteps(TProcessPages pages);

    TgiStartsEvent OnStarts;
    TgiCompleteProcessEvent OnCompleteProcess;

    // Published, in this order (the document places of kSections in msystem_info.cpp).
    std::unique_ptr<TCPU> CPU;
    std::unique_ptr<TMemory> Memory;
    std::unique_ptr<TOperatingSystem> OS;
    std::unique_ptr<TDisks> Disks;
    std::unique_ptr<TMachine> Machine;
    std::unique_ptr<TDisplays> Displays;
    std::unique_ptr<TMedia> Media;
    std::unique_ptr<TDevices> Devices;
    std::unique_ptr<TEngines> Engines;
    std::unique_ptr<TAPM> APM;
    std::unique_ptr<TDirectX> DirectX;
    std::unique_ptr<TProcesses> Processes;
    std::unique_ptr<TPrinters> Printers;
    std::unique_ptr<TSoftware> Software;
    std::unique_ptr<TStartup> Startup;
    std::unique_ptr<TServicesCollection> Services;
    std::unique_ptr<TNetwork> Network;
    std::unique_ptr<TPerformanceInfo> PerformanceInfo;
    std::unique_ptr<TStringCollection> ErrorList;
    TProcessPages ProcessList = TProcessPages::FromMask(kAllProcessPages);

private:
    void ProgressStep(const std::string& caption);
    int32_t step_ = 0;
};

// Registers every class of the information model in the class registry.
void RegisterInformationClasses();

}  // namespace rb
