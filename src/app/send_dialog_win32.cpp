#include "app/send_dialog_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "app/app_resources.h"
#include "app/ui_win32.h"
#include "core/cp1252.h"

namespace rb {
namespace {

// Where each control stands in a client area of width w and height h: the edits stretch with
// the width, the remarks also with the height; the ways keep their distance from the bottom
// (narrow enough to stay clear of the buttons), the buttons from the bottom and the right.
struct Place {
    int id;
    int left, top;      // top < 0: measured from the bottom edge
    int width, height;  // width <= 0: the client width plus this; height <= 0: likewise
    bool fromRight;     // left is measured from the right edge
};
constexpr Place kPlaces[] = {
    {IDC_SEND_NOMBRE_LABEL, 8, 8, -16, 16, false},
    {IDC_SEND_NOMBRE, 8, 25, -16, 22, false},
    {IDC_SEND_TELEFONO_LABEL, 8, 54, -16, 16, false},
    {IDC_SEND_TELEFONO, 8, 71, -16, 22, false},
    {IDC_SEND_OBSERVACIONES_LABEL, 8, 100, -16, 16, false},
    {IDC_SEND_OBSERVACIONES, 8, 117, -16, -117 - 92, false},
    {IDC_SEND_DIRECT, 8, -86, 220, 20, false},
    {IDC_SEND_MAIL, 8, -62, 220, 20, false},
    {IDC_SEND_FILE, 8, -38, 220, 20, false},
    {IDOK, 182, -36, 84, 26, true},
    {IDCANCEL, 92, -36, 84, 26, true},
};

}  // namespace

SendDialog::SendDialog(TdmKestrinConnection& module, HWND owner, SaveFileChooser& chooser)
    : form_(module, *this), owner_(owner), chooser_(chooser) {}

SendDialog::~SendDialog() {
    if (!modal_ && dialog_ && ::IsWindow(dialog_)) ::DestroyWindow(dialog_);
}

INT_PTR SendDialog::ShowModal() {
    modal_ = true;
    return ::DialogBoxParamW(ui::Module(), MAKEINTRESOURCEW(IDD_SEND_INFO), owner_, &DialogProc,
                             LPARAM(this));
}

HWND SendDialog::CreateModeless() {
    ::CreateDialogParamW(ui::Module(), MAKEINTRESOURCEW(IDD_SEND_INFO), owner_, &DialogProc,
                         LPARAM(this));
    if (dialog_) ::ShowWindow(dialog_, SW_SHOW);
    return dialog_;
}

INT_PTR CALLBACK SendDialog::DialogProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, l);
        reinterpret_cast<SendDialog*>(l)->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<SendDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->Handle(message, w, l) : FALSE;
}

INT_PTR SendDialog::Handle(UINT message, WPARAM w, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        // 428 x 369 pixels, centred over the main window.
        RECT over{};
        if (!owner_ || !::GetWindowRect(owner_, &over)) {
            over = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        }
        const int x = (over.left + over.right - kWidth) / 2;
        const int y = (over.top + over.bottom - kHeight) / 2;
        ::SetWindowPos(dialog_, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, kWidth, kHeight,
                       SWP_NOZORDER);
        Layout();
        FormShow();
        return TRUE;
    }
    case WM_SIZE:
        Layout();
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(w) == IDOK) btnSendClick();
        if (LOWORD(w) == IDCANCEL) Close(IDCANCEL);  // "&Cancelar", Esc: nothing stored
        return TRUE;
    case WM_DESTROY:
        ::SetWindowLongPtrW(dialog_, DWLP_USER, 0);
        dialog_ = nullptr;
        return TRUE;
    }
    return FALSE;
}

void SendDialog::Layout() {
    RECT client{};
    ::GetClientRect(dialog_, &client);
    const int w = client.right, h = client.bottom;
    for (const Place& p : kPlaces) {
        const int left = p.fromRight ? w - p.left : p.left;
        const int top = p.top < 0 ? h + p.top : p.top;
        const int width = p.width <= 0 ? w + p.width : p.width;
        const int height = p.height <= 0 ? h + p.height : p.height;
        ::MoveWindow(::GetDlgItem(dialog_, p.id), left, top, width, height, FALSE);
    }
    ::InvalidateRect(dialog_, nullptr, TRUE);
}

void SendDialog::FormShow() {
    const SendFields fields = form_.FormShow();
    ui::SetControlText(::GetDlgItem(dialog_, IDC_SEND_NOMBRE), fields.nombre);
    ui::SetControlText(::GetDlgItem(dialog_, IDC_SEND_TELEFONO), fields.telefono);
    ui::SetControlText(::GetDlgItem(dialog_, IDC_SEND_OBSERVACIONES), fields.observaciones);
    ::CheckRadioButton(dialog_, IDC_SEND_DIRECT, IDC_SEND_FILE, IDC_SEND_DIRECT);
}

SendFields SendDialog::Fields() const {
    SendFields fields;
    fields.nombre = ui::ControlText(::GetDlgItem(dialog_, IDC_SEND_NOMBRE));
    fields.telefono = ui::ControlText(::GetDlgItem(dialog_, IDC_SEND_TELEFONO));
    fields.observaciones = ui::ControlText(::GetDlgItem(dialog_, IDC_SEND_OBSERVACIONES));
    fields.way = ::IsDlgButtonChecked(dialog_, IDC_SEND_DIRECT) == BST_CHECKED ? SendWay::Direct
                 : ::IsDlgButtonChecked(dialog_, IDC_SEND_FILE) == BST_CHECKED ? SendWay::File
                                                                              : SendWay::Mail;
    return fields;
}

void SendDialog::btnSendClick() {
    ui::RunCommand([&] {
        if (form_.btnSendClick(Fields())) Close(IDOK);
    });
}

void SendDialog::Close(INT_PTR result) {
    result_ = result;
    if (modal_) ::EndDialog(dialog_, result);
    else ::ShowWindow(dialog_, SW_HIDE);
}

void SendDialog::FocusName() {
    // The dialog's own way of moving the focus, so that the default button stays right.
    ::SendMessageW(dialog_, WM_NEXTDLGCTL, WPARAM(::GetDlgItem(dialog_, IDC_SEND_NOMBRE)), TRUE);
}

std::optional<std::string> SendDialog::ChooseSaveFile(const std::string& fileName) {
    return chooser_.Choose(dialog_, fileName);
}

void SendDialog::BeginWait() { previousCursor_ = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); }

void SendDialog::EndWait() { ::SetCursor(previousCursor_); }

std::optional<std::string> SystemSaveFileChooser::Choose(HWND owner, const std::string& fileName) {
    std::vector<wchar_t> path(MAX_PATH * 2, L'\0');
    const std::u16string preset = Cp1252ToUtf16(fileName);
    std::copy(preset.begin(), preset.begin() + std::min(preset.size(), path.size() - 1),
              path.begin());
    static const wchar_t kFilter[] = L"Archivos de informaci\u00f3n (*.fzp)\0*.fzp\0";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = DWORD(path.size());
    dialog.lpstrDefExt = L"fzp";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!::GetSaveFileNameW(&dialog)) return std::nullopt;
    return Utf16ToCp1252(reinterpret_cast<const char16_t*>(path.data()));
}

INT_PTR ShowSendDialog(TdmKestrinConnection& module, HWND owner) {
    SystemSaveFileChooser chooser;
    SendDialog dialog(module, owner, chooser);
    return dialog.ShowModal();
}

}  // namespace rb
