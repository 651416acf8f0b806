// The report viewer's real windows under Wine: every page filled from the golden inventory and
// read back, the page mask, reports saved through the viewer's seam, the start-up page.
#include <filesystem>
#include <iterator>

#include "viewer/viewer_window_win32.h"

namespace rb::viewer {
namespace {

TEST_F(ViewerWindow, EveryPageShowsItsSectionAndIsPhotographed) {
    Open();
    EXPECT_EQ(form->VisiblePages().size(), size_t(kPageCount));
    EXPECT_EQ(form->ActivePage(), 0);
    EXPECT_EQ(WindowText(form->Window()), "Información del sistema");
    EXPECT_FALSE(IsWindowVisible(C(btnReprocess)));
    EXPECT_EQ(GetWindowLongPtrA(C(btnKillProcess), GWL_STYLE) & WS_VISIBLE, 0);

    EXPECT_EQ(Text(edtUser), "José Núñez");
    EXPECT_EQ(Text(edtUpTime), "1 Día, 2 Horas, 3 Minutos, 5 Segundos.");
    EXPECT_EQ(GetWindowLongPtrA(C(pnlNumLock), GWLP_USERDATA) & 0xFFFFFF, 0x00FF00);
    EXPECT_EQ(GetWindowLongPtrA(C(pnlCapsLock), GWLP_USERDATA) & 0xFFFFFF, 0xC0C0C0);
    EXPECT_EQ(form->TabCaption(1), "Windows XP Professional");
    EXPECT_EQ(Text(lblOSVersion), "Windows XP - Workstation");
    EXPECT_EQ(ListCount(C(lvFolders)), 2);
    EXPECT_EQ(ListText(C(lvRegional), 4, 1), "a.m.");
    EXPECT_EQ(Text(lblCPUHeading), "1 x  Pentium 4 - 2800 MHz");
    EXPECT_EQ(ListText(C(lvFeatures), ListCount(C(lvFeatures)) - 1, 0), "FDIV Error");
    EXPECT_EQ(Text(edtPhysTotal), "536,330,240");
    EXPECT_EQ(Text(edtPhysFree), "0");
    EXPECT_EQ(GaugePos(pbMemoryLoad), 57);
    EXPECT_EQ(ComboEntries(cbDisplays), std::vector<std::string>{"NVIDIA GeForce4 MX 440"});
    EXPECT_EQ(Text(lblMetrics), "Métricas: 1024 x 768 - 32 bit");
    EXPECT_EQ(Text(edtACLine), "En línea");
    EXPECT_EQ(GaugePos(pbBattery), 80);
    EXPECT_EQ(ListText(C(lvAvailableDevices), 1, 0), "Sound Blaster Live! (Español)");
    EXPECT_EQ(ListText(C(lvSoundDevices), 0, 1), "Item de Media");
    EXPECT_EQ(ListText(C(lvMACAddresses), 0, 0), "00-0C-29-3A-5B-7C");
    EXPECT_EQ(Text(edtWinsockVersion), "2.2");

    HWND tree = C(tvDevices);
    HTREEITEM root = TreeView_GetRoot(tree);
    EXPECT_EQ(TreeView_GetCount(tree), 8u);  // root, 3 classes, 4 devices
    HTREEITEM net = TreeView_GetNextSibling(tree, TreeView_GetChild(tree, root));
    char caption[128] = {};
    TVITEMA item{TVIF_TEXT, TreeView_GetChild(tree, net)};
    item.pszText = caption;
    item.cchTextMax = sizeof(caption);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(caption, "Adaptador de minipuerto WAN");

    EXPECT_EQ(ListText(C(lvPrinters), 1, 0), "Epson Stylus Color en SERVIDOR");
    EXPECT_EQ(Text(lblBDE), "Borland Database Engine no encontrado");
    EXPECT_EQ(ListCount(C(lvDirectX)), 3);
    EXPECT_EQ(ComboEntries(cbDisks), (std::vector<std::string>{"C: [Sistema ñ]", "E: []"}));
    EXPECT_EQ(GaugePos(pbDiskUsed), 75);
    EXPECT_EQ(Checks(lvDiskFlags), (std::vector<bool>{true, false, true, false, false, false, true,
                                                      false, false, false, false, false}));
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
    EXPECT_EQ(map.left - box.left - 1, -192);  // inside the box's border
    EXPECT_EQ(ListText(C(lvProcesses), 1, 0), "0x514");
    EXPECT_EQ(Text(lblProcessCount), "  4 procesos");
    EXPECT_EQ(ListText(C(lvStartup), 0, 0), "Agenda");
    EXPECT_EQ(ListCount(C(lvSoftware)), 2);
    EXPECT_EQ(ListCount(C(lvProblems)), 1);
    EXPECT_EQ(ListText(C(lvServices), 0, 2), "Running");
    EXPECT_EQ(ListText(C(lvPerformance), 3, 1), "40");

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
