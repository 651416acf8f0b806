// Pages 8 to 18 as blocks: devices, printers, engines, disks, time zone, processes, start-up,
// software, problems, services, performance.
#include "core/text.h"
#include "sysinfo/msystem_info.h"
#include "viewer/page_content.h"

namespace rb::viewer {

// A class of the device tree: its devices, then each device's properties, folded.
void DeviceBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    const DeviceNode root = DeviceTree(*info.Devices);
    blocks.push_back(FieldsBlock("", {{"", root.caption}}));
    for (const DeviceNode& cls : root.children) {
        std::vector<std::string> names;
        for (const DeviceNode& d : cls.children) names.push_back(d.caption);
        blocks.push_back(LinesBlock(cls.caption, names));
        for (const DeviceNode& d : cls.children) {
            blocks.push_back(FieldsBlock(
                d.caption, DeviceDetailRows(info.Devices->Device(d.device), d.caption, cls.caption),
                true));
        }
    }
}

void PrinterBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    const TPrinters& printers = *info.Printers;
    blocks.push_back(TableBlock("", kPrinterColumns, PrinterRows(printers)));
    for (int i = 0; i < printers.Count(); ++i) {
        const auto& p = printers.ItemAs<TPrinterDeviceComplete>(i);
        blocks.push_back(FieldsBlock(p.DisplayName(), PrinterDetailRows(p), true));
    }
}

void EngineBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    blocks.push_back(LinesBlock(" Motores ", EngineLines(*info.Engines)));
    blocks.push_back(LinesBlock(" DirectX ", {DirectXLine(*info.DirectX)}));
    if (!info.DirectX->Version.empty()) {
        blocks.push_back(TableBlock("", kDriverColumns, DirectXRows(*info.DirectX)));
    }
}

void DiskBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks) {
    const TDisks& disks = *info.Disks;
    for (const std::string& entry : DiskEntries(disks)) {
        const TDisk* disk = DiskOfEntry(disks, entry);
        if (!disk) continue;
        const DiskTexts t = DiskPage(*disk, sep);
        blocks.push_back(FieldsBlock(
            "Disco " + entry,
            {{"", t.kind}, {"UNC", t.unc}, {"Número de Serie", t.serial}, {"", t.capacity},
             {"", t.freeSpace}, {"", Format("%d %%", t.gauge)}, {"", t.bytesPerSector},
             {"", t.sectorsPerCluster}, {"", t.freeClusters}, {"", t.totalClusters}}));
        blocks.push_back(ChecksBlock("", DiskFlagItems(*disk)));
    }
}

void TimeZoneBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    const TimeZoneTexts t = TimeZonePage(*info.OS->TimeZone);
    blocks.push_back(FieldsBlock("", {{"Zona", t.displayName}}));
    if (t.standardVisible) {
        blocks.push_back(FieldsBlock(t.standardCaption, {{"Start Date", t.standardStart},
                                                         {"Bias", t.standardBias + " min."}}));
    }
    if (t.daylightVisible) {
        blocks.push_back(FieldsBlock(t.daylightCaption, {{"Start Date", t.daylightStart},
                                                         {"Bias", t.daylightBias + " min."}}));
    }
}

void StartupBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    for (size_t tab = 0; tab < kStartupTabs.size(); ++tab) {
        blocks.push_back(TableBlock(kStartupTabs[tab].caption, kStartupColumns,
                                    StartupRows(*info.Startup, static_cast<int>(tab))));
    }
}

void ServiceBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    TServicesCollection& services = *info.Services;
    blocks.push_back(TableBlock("", kServiceColumns, ServiceRows(services)));
    for (int i = 0; i < services.Count(); ++i) {
        TServiceItem& s = services.Items(i);
        blocks.push_back(FieldsBlock(s.DisplayName, ServiceDetailRows(s), true));
    }
}

void ProcessBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    blocks.push_back(TableBlock("", kProcessColumns, ProcessRows(*info.Processes)));
    blocks.push_back(LinesBlock("", {Trim(ProcessCountText(info.Processes->Count()))}));
}

void SoftwareBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    blocks.push_back(LinesBlock("", CollectionLines(*info.Software->Installed)));
}

void ProblemBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    blocks.push_back(LinesBlock("", CollectionLines(*info.ErrorList)));
}

void PerformanceBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    blocks.push_back(TableBlock("", kPerformanceColumns, PerformanceRows(*info.PerformanceInfo)));
}

}  // namespace rb::viewer
