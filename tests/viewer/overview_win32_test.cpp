// The report viewer's real windows under Wine: the golden inventory is loaded as the connection
// module loads it, the viewer is filled, and the controls are read back; detail dialogs are
// caught by the viewer's seam, reports saved through it.
#include "viewer/overview_win32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "core/text.h"
#include "platform/sim/sim_platform.h"
#include "support/window_shot_win32.h"
#include "test_files.h"
#include "viewer/golden_inventory.h"
#include "xml/sys_info_xml.h"

namespace rb::viewer {
namespace {

// What a detail dialog showed when the viewer opened it.
struct DetailSeen {
    std::string title;
    bool checkMode = false;
    Rows rows;                     // list mode: name, value
    std::vector<CheckItem> checks;  // check mode
};

DetailSeen ReadDetail(TdlgSI_Detail& d) {
    const bool checkMode = (GetWindowLongPtrA(d.clbox(), GWL_STYLE) & WS_VISIBLE) != 0;
    DetailSeen seen{d.Title(), checkMode, {}, {}};
    HWND list = seen.checkMode ? d.clbox() : d.lview();
    for (int i = 0; i < ListCount(list); ++i) {
        if (seen.checkMode) {
            seen.checks.push_back({ListText(list, i, 0), ListView_GetCheckState(list, i) != 0});
        } else {
            seen.rows.push_back({ListText(list, i, 0), ListText(list, i, 1)});
        }
    }
    return seen;
}

// Timer procedure: presses the key stored in the window's "key" property on its focus.
void CALLBACK PressKey(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    HWND focus = GetFocus();
    const auto key = reinterpret_cast<WPARAM>(GetPropA(window, "key"));
    PostMessageA(focus ? focus : window, WM_KEYDOWN, key, 0);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

class ViewerWindow : public ::testing::Test {
protected:
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    TXMLSysInfo doc;
    TMSystemInfo& info = *doc.SystemInfo;
    std::unique_ptr<TfrmSI_Overview> form;
    std::vector<DetailSeen> details;
    std::string shotOfNextDetail;

    void SetUp() override { doc.LoadXML(ReadBytes(test::GoldenXmlPath())); }

    void Open() { Open(info); }
    void Open(TMSystemInfo& shown) {
        form = std::make_unique<TfrmSI_Overview>();
        form->showDetail = [this](TdlgSI_Detail& d) {
            if (!shotOfNextDetail.empty()) {
                ShowWindow(d.Window(), SW_SHOW);
                Pump();
                EXPECT_EQ(test::CheckedWindowShot(d.Window(), shotOfNextDetail), "");
                shotOfNextDetail.clear();
            }
            details.push_back(ReadDetail(d));
        };
        form->ShowProcessButtons(false);
        form->SetSystemInfo(&shown);
        form->FillPages();
    }
    HWND C(int id) const { return form->Control(id); }
    std::string Text(int id) const { return WindowText(C(id)); }
    // What a click on an enabled button sends its parent.
    void Click(int id) const {
        HWND button = C(id);
        ASSERT_TRUE(IsWindowEnabled(button)) << id;
        SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    void SelectRow(int listId, int row) const {
        ListView_SetItemState(C(listId), row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    std::vector<std::string> ComboEntries(int id) const {
        std::vector<std::string> entries;
        const int n = static_cast<int>(SendMessageA(C(id), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char buffer[256] = {};
            SendMessageA(C(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
            entries.push_back(buffer);
        }
        return entries;
    }
    int GaugePos(int id) const { return static_cast<int>(SendMessageA(C(id), PBM_GETPOS, 0, 0)); }
    std::vector<bool> Checks(int id) const {
        std::vector<bool> marks;
        for (int i = 0; i < ListCount(C(id)); ++i) marks.push_back(ListView_GetCheckState(C(id), i) != 0);
        return marks;
    }
};

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

TEST_F(ViewerWindow, DetailDialogsShowTheirRowsAndChecks) {
    Open();
    shotOfNextDetail = "viewer-detail-checks";
    Click(btnPackages);
    shotOfNextDetail = "viewer-detail-list";
    SelectRow(lvPrinters, 0);
    Click(btnPrinterProperties);
    SelectRow(lvServices, 0);
    Click(btnServiceProperties);
    Click(btnCurve);
    Click(btnProtocols);
    SelectRow(lvSoundDevices, 0);
    Click(btnMediaProperties);
    HWND tree = C(tvDevices);
    HTREEITEM display = TreeView_GetChild(tree, TreeView_GetChild(tree, TreeView_GetRoot(tree)));
    TreeView_SelectItem(tree, display);
    EXPECT_TRUE(IsWindowEnabled(C(btnDeviceProperties)));
    Click(btnDeviceProperties);
    ASSERT_EQ(details.size(), 7u);

    EXPECT_EQ(details[0].title, "Paquetes Instalados");
    EXPECT_TRUE(details[0].checkMode);
    ASSERT_EQ(details[0].checks.size(), 9u);
    EXPECT_EQ(details[0].checks[0], (CheckItem{"Microsoft Small Business Server", true}));
    EXPECT_EQ(details[0].checks[1], (CheckItem{"Windows 2000 Advanced Server", false}));
    EXPECT_EQ(details[1].title, "Propiedades de la impresora");
    EXPECT_EQ(details[1].rows[11], (Row{"Atributos", "Compartida - Local - "}));
    EXPECT_EQ(details[2].rows[4], (Row{"Tipo de Arranque", "stAuto"}));
    EXPECT_EQ(details[3].title, "Características por Curva");
    EXPECT_EQ(details[3].checks.size(), 9u);
    EXPECT_EQ(details[4].checks, (std::vector<CheckItem>{{"Protocolo Internet (TCP/IP)", true}}));
    EXPECT_EQ(details[5].title, "SB Live! Wave Out v5.2");
    EXPECT_EQ(details[5].rows.size(), 3u);
    EXPECT_EQ(details[6].title, "Propiedades del Dispositivo");
    EXPECT_EQ(details[6].rows[2], (Row{"Descripción de la Clase", "Adaptadores de pantalla"}));
}

// A click on a check box is undone; Esc and Enter close the dialog shown modally.
TEST_F(ViewerWindow, DetailDialogMarksOnlyShowAndKeysClose) {
    TdlgSI_Detail dialog(nullptr);
    dialog.CheckMode();
    dialog.ShowChecks(StringList{"A=1", "B=0", "C="}, true, false);
    ASSERT_EQ(ListCount(dialog.clbox()), 2);
    ListView_SetCheckState(dialog.clbox(), 1, TRUE);
    ListView_SetCheckState(dialog.clbox(), 0, FALSE);
    EXPECT_EQ(ListView_GetCheckState(dialog.clbox(), 0), 1u);
    EXPECT_EQ(ListView_GetCheckState(dialog.clbox(), 1), 0u);
    EXPECT_EQ(WindowText(dialog.Window()), "Información detallada");

    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        SetPropA(dialog.Window(), "key", reinterpret_cast<HANDLE>(key));
        SetTimer(dialog.Window(), 1, 50, PressKey);
        dialog.ShowModal();
        EXPECT_TRUE(dialog.Closed()) << key;
    }
    RemovePropA(dialog.Window(), "key");
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
