// The main window under Wine: its shape, its buttons through a whole run, the progress painted
// into the status bar, and screenshots of each state.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/app_resources.h"
#include "app/main_window_win32.h"
#include "app/scripted_module.h"
#include "app/ui_win32.h"
#include "core/cp1252.h"
#include "support/recorded_boxes_win32.h"
#include "support/window_picture_win32.h"
#include "support/window_shot_win32.h"

namespace rb {
namespace {

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// The colour at a point of a window's client area, in the window's own picture (never read
// from the screen, where another program's window may stand).
COLORREF OwnPixel(HWND window, int x, int y) {
    const test::Picture picture = test::PrintedWindow(window);
    RECT frame{};
    GetWindowRect(window, &frame);
    POINT p{x, y};
    ClientToScreen(window, &p);
    if (picture.rgb.empty()) return CLR_INVALID;
    const test::Colour c = picture.At(p.x - frame.left, p.y - frame.top);
    return RGB(c.r, c.g, c.b);
}

class MainWindowTest : public ::testing::Test {
protected:
    test::RecordedBoxesPlatform platform;
    platform::ScopedPlatform scope{platform};
    test::ScriptedModule module;
    MainWindow window{module};
    HWND Item(int id) { return GetDlgItem(window.Handle(), id); }
    void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    std::string StatusText(int panel) {
        wchar_t text[256] = {};
        SendMessageW(Item(IDC_MAIN_STATUS), SB_GETTEXTW, panel, LPARAM(text));
        return Utf16ToCp1252(reinterpret_cast<const char16_t*>(text));
    }
    void ExpectButtons(bool process, bool show, bool send) {
        EXPECT_EQ(bool(IsWindowEnabled(Item(IDC_MAIN_PROC))), process);
        EXPECT_EQ(bool(IsWindowEnabled(Item(IDC_MAIN_SHOW))), show);
        EXPECT_EQ(bool(IsWindowEnabled(Item(IDC_MAIN_SEND))), send);
    }
};

TEST_F(MainWindowTest, ShapeCaptionsAndInitialState) {
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_EQ(ui::ControlText(window.Handle()), "Información del sistema");
    const SIZE client = ClientSize(window.Handle());
    EXPECT_EQ(client.cx, 442);
    EXPECT_EQ(client.cy, 87);
    const LONG style = GetWindowLongA(window.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(IsWindowVisible(window.Handle()));

    struct Row { int id; const char* caption; int width; };
    const Row rows[] = {{IDC_MAIN_PROC, "Procesar", 129},
                        {IDC_MAIN_SHOW, "Mostrar resultado", 153},
                        {IDC_MAIN_SEND, "&Enviar a Kelto", 137}};
    int left = -1;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        EXPECT_EQ(ui::ControlText(Item(row.id)), row.caption);
        const SIZE size = ClientSize(Item(row.id));
        EXPECT_EQ(size.cx, row.width);
        EXPECT_EQ(size.cy, 57);
        RECT r{};
        GetWindowRect(Item(row.id), &r);
        EXPECT_GT(r.left, left);  // side by side, left to right
        left = r.left;
    }
    ExpectButtons(true, false, false);
    EXPECT_FALSE(IsWindowVisible(Item(IDC_MAIN_PROGRESS)));
    int edges[2] = {};
    ASSERT_EQ(SendMessageA(Item(IDC_MAIN_STATUS), SB_GETPARTS, 2, LPARAM(edges)), 2);
    EXPECT_EQ(edges[0], 80);
    EXPECT_EQ(edges[1] - edges[0], 500);
    EXPECT_EQ(test::CheckedWindowShot(window.Handle(), "main-idle"), "");
}

// The bar shows in panel 0 while collecting, whatever stands over the window on the screen.
TEST_F(MainWindowTest, CollectingPaintsTheBarIntoPanelZeroThenSucceeds) {
    HWND status = Item(IDC_MAIN_STATUS);
    const test::CoveringWindow cover(status);
    module.count = 19;
    for (int i = 1; i <= 17; ++i) module.steps.push_back(i == 9 ? "Visualizadores" : "Paso");
    const COLORREF idle = OwnPixel(status, 4, 8);
    COLORREF duringBar = idle, duringEnd = idle;
    bool duringPainted = false;
    std::string duringText;
    module.duringStep = [&](int32_t step) {
        if (step != 9) return;
        duringText = StatusText(1);
        duringPainted = !GetUpdateRect(status, nullptr, FALSE);  // nothing left for later
        duringBar = OwnPixel(status, 4, 8);   // the filled part
        duringEnd = OwnPixel(status, 76, 8);  // the part still empty
        EXPECT_EQ(test::CheckedWindowShot(window.Handle(), "main-collecting"), "");
    };
    Click(IDC_MAIN_PROC);
    EXPECT_EQ(duringText, "Procesado Visualizadores");
    EXPECT_TRUE(duringPainted);
    EXPECT_NE(duringBar, idle);  // panel 0 shows the bar while collecting
    EXPECT_NE(duringBar, duringEnd);
    EXPECT_EQ(OwnPixel(status, 4, 8), idle);  // and is empty again after
    EXPECT_EQ(SendMessageA(Item(IDC_MAIN_PROGRESS), PBM_GETRANGE, FALSE, 0), 18);
    EXPECT_EQ(SendMessageA(Item(IDC_MAIN_PROGRESS), PBM_GETPOS, 0, 0), 17);
    ExpectButtons(true, true, true);
    EXPECT_EQ(StatusText(1), "");
    ASSERT_EQ(platform.windows.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.windows.messageBoxes[0].caption, "Información de su computadora");
    EXPECT_EQ(test::CheckedWindowShot(window.Handle(), "main-done"), "");
}

TEST_F(MainWindowTest, AFailedCollectionShowsTheErrorAndChangesNoButton) {
    module.count = 3;
    module.steps = {"CPU"};
    module.fail = true;
    Click(IDC_MAIN_PROC);
    ASSERT_EQ(platform.windows.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.windows.messageBoxes[0].text, "TDisplays.GetInfo: sin adaptador.");
    EXPECT_EQ(platform.windows.messageBoxes[0].flags, platform::kMbIconError);
    ExpectButtons(true, false, false);
    EXPECT_EQ(StatusText(1), "Procesado CPU");
}

TEST_F(MainWindowTest, APackageOpenedAtStartLeavesShowAndSend) {
    window.Form().PackageLoaded();
    ExpectButtons(false, true, true);
    Click(IDC_MAIN_SHOW);  // no viewer installed in this test: its message, in the error box
    ASSERT_EQ(platform.windows.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.windows.messageBoxes[0].flags, platform::kMbIconError);
}

}  // namespace
}  // namespace rb
