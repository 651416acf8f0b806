// The send dialog under Wine: its shape and anchors, the modal showing from the main window,
// the file routine through the save dialog's seam, and what stays open after a failure.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/app_resources.h"
#include "app/main_window_win32.h"
#include "app/scripted_module.h"
#include "app/send_dialog_win32.h"
#include "app/ui_win32.h"
#include "connection/package_file.h"
#include "core/cp1252.h"
#include "support/recorded_boxes_win32.h"
#include "support/window_shot_win32.h"
#include "test_files.h"

namespace rb {
namespace {

class FakeChooser : public SaveFileChooser {
public:
    std::optional<std::string> answer;
    std::string preset;
    std::optional<std::string> Choose(HWND, const std::string& fileName) override {
        preset = fileName;
        return answer;
    }
};

RECT ChildRect(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class SendDialogTest : public ::testing::Test {
protected:
    SendDialogTest() {
        module.tmpFile = dir.File("kt_infosys.fzp");
        module.XMLData = "<InfoSistema>\r\n</InfoSistema>\r\n";
        module.SetHeader("Juan Pérez", "555-1234", "uno\r\ndos", "Sucursal Norte");
    }
    HWND Item(int id) { return GetDlgItem(dialog.Handle(), id); }
    void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    test::RecordedBoxesPlatform platform;
    platform::ScopedPlatform scope{platform};
    TempDir dir;
    test::ScriptedModule module;
    FakeChooser chooser;
    SendDialog dialog{module, nullptr, chooser};
};

TEST_F(SendDialogTest, ShapeTextsAndAnchors) {
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    HWND d = dialog.Handle();
    EXPECT_EQ(ui::ControlText(d), "Envío de información");
    RECT frame{};
    GetWindowRect(d, &frame);
    EXPECT_EQ(frame.right - frame.left, 428);
    EXPECT_EQ(frame.bottom - frame.top, 369);
    EXPECT_TRUE(GetWindowLongA(d, GWL_STYLE) & WS_THICKFRAME);
    struct Row { int id; const char* text; };
    const Row rows[] = {
        {IDC_SEND_NOMBRE_LABEL, "&Su Nombre"}, {IDC_SEND_NOMBRE, "Juan Pérez"},
        {IDC_SEND_TELEFONO_LABEL, "&Teléfono o medio de contacto"},
        {IDC_SEND_TELEFONO, "555-1234"}, {IDC_SEND_OBSERVACIONES_LABEL, "&Observaciones"},
        {IDC_SEND_OBSERVACIONES, "uno\r\ndos"}, {IDC_SEND_DIRECT, "Utilizar conexión directa"},
        {IDC_SEND_MAIL, "Enviar por correo electrónico"}, {IDC_SEND_FILE, "Grabar a un archivo"},
        {IDOK, "&Enviar"}, {IDCANCEL, "&Cancelar"}};
    for (const Row& row : rows) EXPECT_EQ(ui::ControlText(Item(row.id)), row.text);
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_SEND_DIRECT), BST_CHECKED);
    EXPECT_EQ(LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), IDOK);
    EXPECT_EQ(test::CheckedWindowShot(d, "send-dialog"), "");

    const RECT name = ChildRect(d, IDC_SEND_NOMBRE), memo = ChildRect(d, IDC_SEND_OBSERVACIONES);
    const RECT file = ChildRect(d, IDC_SEND_FILE), send = ChildRect(d, IDOK);
    RECT client{};
    GetClientRect(d, &client);
    SetWindowPos(d, nullptr, 0, 0, 428 + 150, 369 + 100, SWP_NOMOVE | SWP_NOZORDER);
    RECT grown{};
    GetClientRect(d, &grown);
    ASSERT_EQ(grown.right - client.right, 150);
    ASSERT_EQ(grown.bottom - client.bottom, 100);
    const RECT name2 = ChildRect(d, IDC_SEND_NOMBRE), memo2 = ChildRect(d, IDC_SEND_OBSERVACIONES);
    const RECT file2 = ChildRect(d, IDC_SEND_FILE), send2 = ChildRect(d, IDOK);
    EXPECT_EQ(name2.right - name.right, 150);  // stretches with the width
    EXPECT_EQ(name2.top, name.top);
    EXPECT_EQ(memo2.right - memo.right, 150);  // and the remarks in both directions
    EXPECT_EQ(memo2.bottom - memo.bottom, 100);
    EXPECT_EQ(file2.top - file.top, 100);  // the ways keep their distance from the bottom
    EXPECT_EQ(file2.left, file.left);
    EXPECT_EQ(send2.top - send.top, 100);  // the buttons from the bottom and the right
    EXPECT_EQ(send2.left - send.left, 150);
    EXPECT_EQ(test::CheckedWindowShot(d, "send-dialog-resized"), "");
}

TEST_F(SendDialogTest, AnEmptyNameKeepsTheDialogOpenAndTheHeader) {
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    SetWindowTextA(Item(IDC_SEND_NOMBRE), "");
    Click(IDOK);
    ASSERT_EQ(platform.windows.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.windows.messageBoxes[0].text,
              "Por favor ingrese un nombre o identificador para poder relacionar los datos de "
              "su sistema.");
    EXPECT_EQ(platform.windows.messageBoxes[0].flags, platform::kMbIconError);
    EXPECT_EQ(dialog.Result(), 0);
    EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
    EXPECT_EQ(module.Header().Nombre, "Juan Pérez");
}

TEST_F(SendDialogTest, TheFileRoutineSavesTheTypedHeaderOrStaysOpenOnAFailedCopy) {
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    SetWindowTextA(Item(IDC_SEND_OBSERVACIONES), "primera\r\nsegunda");
    CheckRadioButton(dialog.Handle(), IDC_SEND_DIRECT, IDC_SEND_FILE, IDC_SEND_FILE);

    chooser.answer = dir.File("no-existe") + "\\copia.fzp";  // a folder that is not there
    Click(IDOK);
    EXPECT_EQ(chooser.preset, "kt_infosys.fzp");
    ASSERT_EQ(platform.windows.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.windows.messageBoxes[0].text.rfind("System Error.  Code: 3.", 0), 0u)
        << platform.windows.messageBoxes[0].text;
    EXPECT_EQ(dialog.Result(), 0);

    chooser.answer = dir.File("copia.fzp");
    Click(IDOK);
    EXPECT_EQ(dialog.Result(), IDOK);
    ASSERT_EQ(platform.windows.messageBoxes.size(), 2u);
    EXPECT_EQ(platform.windows.messageBoxes[1].flags, platform::kMbOk);
    THeader header;
    std::string xml;
    ReadPackageFile(dir.File("copia.fzp"), header, xml);
    EXPECT_EQ(header.Nombre, "Juan Pérez");
    EXPECT_EQ(header.Observaciones, "primera\r\nsegunda");
    EXPECT_EQ(header.Destino, "Sucursal Norte");
    EXPECT_EQ(xml, module.XMLData);
}

// A dialog box of this process (other programs of the test run may show their own).
HWND OwnDialog() {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// Closes the send dialog of this thread once its modal loop runs, remembering its caption.
std::string g_seenCaption;
void CALLBACK CancelSendDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND found = OwnDialog();
    if (!found) return;
    KillTimer(nullptr, timer);
    g_seenCaption = ui::ControlText(found);
    PostMessageA(found, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(SendDialogTest, TheMainWindowShowsItModallyAndCancelStoresNothing) {
    MainWindow main{module};
    main.Form().PackageLoaded();
    g_seenCaption.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &CancelSendDialog);
    SendMessageA(GetDlgItem(main.Handle(), IDC_MAIN_SEND), BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_seenCaption, "Envío de información");
    EXPECT_EQ(module.Header().Nombre, "Juan Pérez");
    EXPECT_TRUE(platform.windows.messageBoxes.empty());
    EXPECT_EQ(OwnDialog(), nullptr);  // released
}

}  // namespace
}  // namespace rb

namespace rb {
namespace {

// Answers the system's save dialog like a person: reads the preset name, types a name without
// extension into the file-name box and accepts.
std::wstring g_typed;
BOOL CALLBACK FindNameBox(HWND child, LPARAM out) {
    wchar_t cls[16] = {};
    GetClassNameW(child, cls, 16);
    if (lstrcmpiW(cls, L"Edit") != 0 || GetWindowTextLengthW(child) == 0) return TRUE;
    *reinterpret_cast<HWND*>(out) = child;
    return FALSE;
}
std::string g_preset;
void CALLBACK AnswerSaveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND found = OwnDialog();
    if (!found) return;
    KillTimer(nullptr, timer);
    // The file-name box: the dialog's one edit holding text (inside a combo box or not).
    HWND name = nullptr;
    EnumChildWindows(found, &FindNameBox, LPARAM(&name));
    g_preset = name ? ui::ControlText(name) : "(no file-name box)";
    if (name) SetWindowTextW(name, g_typed.c_str());
    PostMessageW(found, WM_COMMAND, IDOK, 0);
}

TEST(SystemSaveFileChooser, PresetsTheNameAndAddsThePackageExtension) {
    g_typed = L"elegido";  // in the dialog's current folder
    g_preset.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &AnswerSaveDialog);
    SystemSaveFileChooser chooser;
    const std::optional<std::string> chosen = chooser.Choose(nullptr, "kt_infosys.fzp");
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_preset, "kt_infosys.fzp");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->substr(chosen->size() - 11), "elegido.fzp") << *chosen;
}

}  // namespace
}  // namespace rb
