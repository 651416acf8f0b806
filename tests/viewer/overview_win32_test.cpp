// The report viewer's real windows under Wine: every page filled from the golden inventory and
// read back, the page mask, reports saved through the viewer's seam, the start-up page.
#include <filesystem>
#include <iterator>

#include "viewer/viewer_window_win32.h"

namespace rb::viewer {
namespace {

// Every row of a list, as many columns as the model's rows have.
Rows ShownRows(HWND list, size_t columns) {
    Rows rows;
    for (int i = 0; i < ListCount(list); ++i) {
        Row row;
        for (size_t c = 0; c < columns; ++c) row.push_back(ListText(list, i, static_cast<int>(c)));
        rows.push_back(row);
    }
    return rows;
}

std::string TreeCaption(HWND tree, HTREEITEM item) {
    char caption[256] = {};
    TVITEMA data{TVIF_TEXT, item};
    data.pszText = caption;
    data.cchTextMax = sizeof(caption);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return caption;
}

// The tree below `item` as the model's nodes (captions only).
DeviceNode ShownTree(HWND tree, HTREEITEM item) {
    DeviceNode node{TreeCaption(tree, item)};
    for (HTREEITEM c = TreeView_GetChild(tree, item); c; c = TreeView_GetNextSibling(tree, c)) {
        node.children.push_back(ShownTree(tree, c));
    }
    return node;
}

DeviceNode CaptionsOnly(const DeviceNode& node) {
    DeviceNode copy{node.caption};
    for (const DeviceNode& child : node.children) copy.children.push_back(CaptionsOnly(child));
    return copy;
}

bool SameTree(const DeviceNode& a, const DeviceNode& b) {
    if (a.caption != b.caption || a.children.size() != b.children.size()) return false;
    for (size_t i = 0; i < a.children.size(); ++i) {
        if (!SameTree(a.children[i], b.children[i])) return false;
    }
    return true;
}

// The colour a page gives one of its static controls when it paints.
COLORREF PaintedColour(HWND control) {
    HDC dc = GetDC(control);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(control), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(control)));
    ReleaseDC(control, dc);
    LOGBRUSH logical{};
    GetObjectA(brush, sizeof(logical), &logical);
    return logical.lbColor;
}

// The window shows what the page texts make of the golden inventory (the native page-text
// tests pin those texts). The pages' fields and lists:
TEST_F(ViewerWindow, FieldsAndListsShowWhatThePageTextsSay) {
    Open();
    const char sep = ThousandSeparator();
    const std::vector<Group> machine = MachineGroups(*info.Machine);
    const OSTexts os = OSPage(*info.OS);
    const std::vector<Group> memory = MemoryGroups(*info.Memory, sep);
    const DiskTexts disk = DiskPage(FirstDisk(), sep);
    const TimeZoneTexts zone = TimeZonePage(*info.OS->TimeZone);
    const TDisplay& display = *info.Displays->FindByName(DisplayNames(*info.Displays).front());
    const struct {
        int id;
        std::string text;
    } fields[] = {
        {edtUser, machine[0].fields[1].value},
        {edtUpTime, machine[2].fields[1].value},
        {lblOSVersion, os.versionLine},
        {edtProductKey, os.fields[3].value},
        {lblCPUHeading, CPUHeading(*info.CPU)},
        {lblCPUCodeName, CPUGroups(*info.CPU)[0].fields[4].value},
        {edtPhysTotal, memory[0].fields[0].value},
        {edtPhysFree, memory[0].fields[1].value},
        {edtPageSize, memory.back().fields.back().value},
        {lblMetrics, DisplayGroups(display)[2].fields[1].value},
        {edtACLine, APMPage(*info.APM).acLine},
        {edtWinsockVersion, WinsockFields(*info.Network->WinSock)[1].value},
        {lblBDE, EngineLines(*info.Engines)[1]},
        {lblDirectX, DirectXLine(*info.DirectX)},
        {edtSerial, disk.serial},
        {lblTotalClusters, disk.totalClusters},
        {edtZoneName, zone.displayName},
        {grpDaylight, zone.daylightCaption},
        {lblProcessCount, ProcessCountText(info.Processes->Count())},
    };
    for (const auto& f : fields) {
        EXPECT_FALSE(f.text.empty()) << f.id;
        EXPECT_EQ(Text(f.id), f.text) << f.id;
    }
    EXPECT_EQ(form->TabCaption(1), os.tabCaption);

    const struct {
        int id;
        Rows rows;
    } lists[] = {
        {lvFolders, NonEmptyEntries(*info.OS->Folders)},
        {lvRegional, RegionalRows(*info.OS)},
        {lvAvailableDevices, SingleColumn(CollectionLines(*info.Media->AvailableDevices))},
        {lvSoundDevices, MediaRows(*info.Media)},
        {lvMACAddresses, SingleColumn(CollectionLines(*info.Network->MACAddresses))},
        {lvPrinters, PrinterRows(*info.Printers)},
        {lvDirectX, DirectXRows(*info.DirectX)},
        {lvProcesses, ProcessRows(*info.Processes)},
        {lvStartup, StartupRows(*info.Startup, 0)},
        {lvSoftware, SingleColumn(CollectionLines(*info.Software->Installed))},
        {lvProblems, SingleColumn(CollectionLines(*info.ErrorList))},
        {lvServices, ServiceRows(*info.Services)},
        {lvPerformance, PerformanceRows(*info.PerformanceInfo)},
    };
    for (const auto& l : lists) {
        ASSERT_FALSE(l.rows.empty()) << l.id;
        EXPECT_EQ(ShownRows(C(l.id), l.rows.front().size()), l.rows) << l.id;
    }
}

// ... and their check lists, choices, gauges, device tree and pictures.
TEST_F(ViewerWindow, ChecksGaugesTreeAndPicturesShowWhatThePageTextsSay) {
    Open();
    const APMTexts apm = APMPage(*info.APM);
    const TDisk& firstDisk = FirstDisk();
    const DiskTexts disk = DiskPage(firstDisk, ThousandSeparator());

    const struct {
        int id;
        std::vector<CheckItem> items;
    } checks[] = {
        {lvFeatures, CheckItemsFrom(CPUFeatureLines(*info.CPU), false)},
        {lvDiskFlags, DiskFlagItems(firstDisk)},
    };
    for (const auto& c : checks) {
        std::vector<CheckItem> shown;
        for (int i = 0; i < ListCount(C(c.id)); ++i) {
            shown.push_back({ListText(C(c.id), i, 0), ListView_GetCheckState(C(c.id), i) != 0});
        }
        EXPECT_EQ(shown, c.items) << c.id;
    }
    EXPECT_EQ(ComboEntries(cbDisplays), DisplayNames(*info.Displays));
    EXPECT_EQ(ComboEntries(cbDisks), DiskEntries(*info.Disks));
    EXPECT_EQ(GaugePos(pbMemoryLoad), int(info.Memory->MemoryLoad));
    EXPECT_EQ(GaugePos(pbBattery), apm.gauge.value_or(-1));
    EXPECT_EQ(GaugePos(pbDiskUsed), disk.gauge);
    EXPECT_TRUE(SameTree(ShownTree(C(tvDevices), TreeView_GetRoot(C(tvDevices))),
                         CaptionsOnly(DeviceTree(*info.Devices))));
    const bool keys[] = {info.Machine->NumLock, info.Machine->CapsLock, info.Machine->ScrollLock};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(PaintedColour(C(pnlNumLock + i)), IndicatorColour(keys[i])) << i;
    }

    // The flags list cannot scroll: every flag must lie within it.
    RECT inside;
    GetClientRect(C(lvDiskFlags), &inside);
    for (int i = 0; i < ListCount(C(lvDiskFlags)); ++i) {
        RECT flag;
        ListView_GetItemRect(C(lvDiskFlags), i, &flag, LVIR_BOUNDS);
        EXPECT_TRUE(flag.left >= 0 && flag.top >= 0 && flag.right <= inside.right &&
                    flag.bottom <= inside.bottom)
            << "flag " << i << " at " << flag.left << "," << flag.top;
    }
    RECT map;
    GetWindowRect(C(imgWorldMap), &map);
    RECT box;
    GetWindowRect(C(boxWorldMap), &box);
    EXPECT_EQ(map.left - box.left - 1, TimeZonePage(*info.OS->TimeZone).mapLeft);  // in the border
}

TEST_F(ViewerWindow, EveryPageIsPhotographed) {
    Open();
    EXPECT_EQ(form->VisiblePages().size(), size_t(kPageCount));
    EXPECT_EQ(form->ActivePage(), 0);
    EXPECT_EQ(WindowText(form->Window()), "Información del sistema");
    EXPECT_FALSE(IsWindowVisible(C(btnReprocess)));
    EXPECT_EQ(GetWindowLongPtrA(C(btnKillProcess), GWL_STYLE) & WS_VISIBLE, 0);
    ShowWindow(form->Window(), SW_SHOW);
    for (int page = 0; page < kPageCount; ++page) {
        form->SelectPage(page);
        Pump();
        EXPECT_EQ(test::CheckedWindowShot(form->Window(), Format("viewer-page-%02d", page)), "");
    }
}

TEST_F(ViewerWindow, PageMaskAndProblemsTab) {
    struct Case {
        uint32_t mask;
        bool errors;
        std::vector<int> visible;
        int active;
    };
    const Case cases[] = {
        {(1u << 2) | (1u << 3), false, {2, 3}, 2},
        {(1u << 2) | (1u << 3), true, {2, 3, 16}, 2},
        {(1u << 16) | (1u << 12), false, {12}, 12},
    };
    for (const Case& c : cases) {
        TXMLSysInfo other;
        other.LoadXML(ReadBytes(test::GoldenXmlPath()));
        other.SystemInfo->ProcessList = TProcessPages::FromMask(c.mask);
        if (!c.errors) other.SystemInfo->ErrorList->Clear();
        Open(*other.SystemInfo);
        EXPECT_EQ(form->VisiblePages(), c.visible) << std::hex << c.mask;
        EXPECT_EQ(form->ActivePage(), c.active) << std::hex << c.mask;
        EXPECT_EQ(TabCtrl_GetItemCount(C(tabPages)), int(c.visible.size()));
        EXPECT_EQ(ListCount(C(lvProblems)), 0);  // filled only when selected
    }
}

TEST_F(ViewerWindow, ReportsSaveTheAggregateAndTheActiveTopic) {
    Open();
    TempDir dir;
    std::vector<std::string> asked;
    form->askSaveFile = [&](const std::string& name) -> std::optional<std::string> {
        asked.push_back(name);
        return dir.File("r" + std::to_string(asked.size()) + ".txt");
    };
    form->ReportAllClick();
    StringList all;
    info.Report(all);
    EXPECT_EQ(ReadBytes(dir.File("r1.txt")), all.Text());
    form->SelectPage(2);
    form->ReportTopicClick();
    StringList cpu;
    info.CPU->Report(cpu);
    EXPECT_EQ(ReadBytes(dir.File("r2.txt")), cpu.Text());
    form->SelectPage(17);
    form->ReportTopicClick();
    EXPECT_EQ(ReadBytes(dir.File("r3.txt")), "");
    EXPECT_EQ(asked, (std::vector<std::string>{"SuComputadora.txt", "CPU.txt", "Servicios.txt"}));

    // Cancelled: the name is still offered, and nothing is written or raised.
    std::vector<std::string> offered;
    form->askSaveFile = [&](const std::string& name) -> std::optional<std::string> {
        offered.push_back(name);
        return std::nullopt;
    };
    EXPECT_NO_THROW(form->ReportAllClick());
    EXPECT_EQ(offered, std::vector<std::string>{"SuComputadora.txt"});
    const auto files = std::distance(std::filesystem::directory_iterator(dir.Path()),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(files, 3);  // the three reports saved above
    EXPECT_EQ(ReadBytes(dir.File("r1.txt")), all.Text());
}

TEST_F(ViewerWindow, StartupTabsAndLookup) {
    sim.system.environment.push_back("RBINFO_LOOKUP_HOST=http://consulta.example");
    Open();
    HWND tabs = C(tabStartup);
    TabCtrl_SetCurSel(tabs, 2);
    NMHDR change{tabs, static_cast<UINT_PTR>(tabStartup), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(GetParent(tabs), WM_NOTIFY, tabStartup, reinterpret_cast<LPARAM>(&change));
    ASSERT_EQ(ListCount(C(lvStartup)), 1);
    EXPECT_EQ(ListText(C(lvStartup), 0, 0), "SoundMAX");
    EXPECT_FALSE(IsWindowEnabled(C(btnStartupInfo)));
    SelectRow(lvStartup, 0);
    EXPECT_TRUE(IsWindowEnabled(C(btnStartupInfo)));
    Click(btnStartupInfo);
    EXPECT_EQ(sim.shell.openedUrls,
              std::vector<std::string>{"http://consulta.example/wso/search.php?filename=smax4.exe"});
}

}  // namespace
}  // namespace rb::viewer
