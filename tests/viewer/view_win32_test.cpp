// The connection module shows packages in the real viewer window, modally; an inventory
// collected on this computer fills every page, and its report file is the aggregate's report.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/app_resources.h"
#include "connection/connection_module.h"
#include "core/text.h"
#include "test_files.h"
#include "viewer/golden_inventory.h"
#include "viewer/overview_win32.h"
#include "viewer/window_viewer_win32.h"
#include "xml/sys_info_xml.h"

namespace rb::viewer {
namespace {

// What the timer saw of the modal viewer before closing it.
struct Seen {
    bool found = false;
    std::string caption;
    int tabs = 0;
    bool reprocessVisible = true;
};
Seen seen;

// The viewer window of this process, or nullptr.
HWND OwnViewer() {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "TfrmSI_Overview", nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId()) return window;
    }
    return nullptr;
}

void CALLBACK CloseViewer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = OwnViewer();
    if (!window || !IsWindowVisible(window)) return;  // not shown yet: next tick
    KillTimer(nullptr, timer);
    seen.found = true;
    seen.caption = WindowText(window);
    seen.tabs = TabCtrl_GetItemCount(GetDlgItem(window, tabPages));
    seen.reprocessVisible = IsWindowVisible(GetDlgItem(window, btnReprocess)) != FALSE;
    PostMessageA(window, WM_COMMAND, IDOK, 0);
}

TEST(ViewerView, ThePackageShowsModallyUntilClosed) {
    TdmKestrinConnection module;
    std::vector<std::string> errors;
    WindowViewer viewer([&](const std::exception& e) { errors.push_back(e.what()); });
    module.SetViewer(&viewer);
    module.LoadPackage(test::GoldenPackagePath());
    seen = Seen{};
    SetTimer(nullptr, 0, 100, CloseViewer);
    module.View();
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "Información del sistema");
    EXPECT_EQ(seen.tabs, kPageCount);
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(seen.reprocessVisible);
}

TEST(ViewerView, InventoryCollectedHereFillsEveryPage) {
    TdmKestrinConnection module;
    module.Collect();
    TXMLSysInfo doc;
    doc.LoadXML(module.XMLData);
    TfrmSI_Overview form;
    int details = 0;
    form.showDetail = [&details](TdlgSI_Detail&) { ++details; };
    form.SetSystemInfo(doc.SystemInfo.get());
    ASSERT_NO_THROW(form.FillPages());
    EXPECT_EQ(form.ActivePage(), 0);
    EXPECT_FALSE(WindowText(form.Control(edtMachineName)).empty());
    EXPECT_GT(ListCount(form.Control(lvProcesses)), 0);

    TempDir dir;
    form.askSaveFile = [&dir](const std::string& name) -> std::optional<std::string> {
        return dir.File(name);
    };
    form.ReportAllClick();
    StringList report;
    doc.SystemInfo->Report(report);
    EXPECT_EQ(ReadBytes(dir.File(kAllTopicsFileName)), report.Text());
}

// The other side of exe_viewer_test.sh: rbInfo.exe (another process) shows a package; this
// finds its viewer, checks it and closes it, then the main window that follows. Skipped unless
// RBINFO_DRIVE_VIEWER is set.
TEST(ViewerDriver, ClosesTheViewerOfTheProgram) {
    if (!std::getenv("RBINFO_DRIVE_VIEWER")) GTEST_SKIP() << "driven by exe_viewer_test.sh";
    HWND window = nullptr;
    for (int i = 0; i < 600; ++i, Sleep(100)) {
        window = FindWindowA("TfrmSI_Overview", nullptr);
        if (window && IsWindowVisible(window)) break;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Información del sistema");
    EXPECT_EQ(TabCtrl_GetItemCount(GetDlgItem(window, tabPages)), kPageCount);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, btnReprocess)));
    PostMessageA(window, WM_COMMAND, IDOK, 0);

    // Then the main window opens with the package loaded: nothing to collect, the package to
    // show or send. Closing it ends the program.
    HWND main = nullptr;
    for (int i = 0; i < 600; ++i, Sleep(100)) {
        main = FindWindowA("TfrmMain", nullptr);
        if (main && IsWindowVisible(main)) break;
    }
    ASSERT_NE(main, nullptr);
    // The window shows as it is made; the package-loaded state follows at once.
    for (int i = 0; i < 100 && IsWindowEnabled(GetDlgItem(main, IDC_MAIN_PROC)); ++i) Sleep(100);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, IDC_MAIN_PROC)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_MAIN_SHOW)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_MAIN_SEND)));
    PostMessageA(main, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace rb::viewer
