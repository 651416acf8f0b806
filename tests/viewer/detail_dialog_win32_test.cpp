// The report viewer's detail dialogs under Wine: what each shows when the viewer opens it,
// and how the dialog answers marks and keys.
#include "viewer/viewer_window_win32.h"

namespace rb::viewer {
namespace {

// A key pressed on a modal window by its timer, and whether the window had to be closed for it.
struct KeyPress {
    WPARAM key = 0;
    int ticks = 0;
    bool forced = false;
};

// Timer procedure of the window whose "press" property is a KeyPress: the first tick presses
// the key on the focus. A timer tick comes only when the window's queue is empty, so a window
// still open at the third tick was not closed by the key: it is closed, so that the test fails
// instead of waiting for ever.
void CALLBACK PressKey(HWND window, UINT, UINT_PTR id, DWORD) {
    auto* press = static_cast<KeyPress*>(GetPropA(window, "press"));
    if (++press->ticks == 1) {
        HWND focus = GetFocus();
        PostMessageA(focus ? focus : window, WM_KEYDOWN, press->key, 0);
    } else if (press->ticks >= 3) {
        KillTimer(window, id);
        press->forced = true;
        PostMessageA(window, WM_CLOSE, 0, 0);
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
        KeyPress press{key};
        SetPropA(dialog.Window(), "press", &press);
        SetTimer(dialog.Window(), 1, 50, PressKey);
        dialog.ShowModal();
        KillTimer(dialog.Window(), 1);
        EXPECT_TRUE(dialog.Closed()) << key;
        EXPECT_FALSE(press.forced) << key << ": the key left the dialog open";
    }
    RemovePropA(dialog.Window(), "press");
}

}  // namespace
}  // namespace rb::viewer
