#include "app/main_window_win32.h"

#include <commctrl.h>

#include "app/app_resources.h"
#include "app/send_dialog_win32.h"
#include "core/cp1252.h"

namespace rb {
namespace {

constexpr char kWindowClass[] = "TfrmMain";
constexpr int kButtonHeight = 57;
constexpr int kPictureSize = 32;

// The buttons from left to right, in tab order with the hidden progress bar between the second
// and the third.
struct ButtonRow {
    int id;
    const char* caption;
    int x, width, picture;
};
constexpr ButtonRow kButtons[] = {
    {IDC_MAIN_PROC, "Procesar", 6, 129, IDI_PROCESS},
    {IDC_MAIN_SHOW, "Mostrar resultado", 140, 153, IDI_SHOW},
    {IDC_MAIN_SEND, "&Enviar a Kelto", 298, 137, IDI_SEND},
};

void RegisterWindowClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (::GetClassInfoExA(ui::Module(), kWindowClass, &wc)) return;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = ui::Module();
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = ::LoadIconA(ui::Module(), MAKEINTRESOURCEA(IDI_RBINFO));
    wc.lpszClassName = kWindowClass;
    ::RegisterClassExA(&wc);
}

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

MainWindow::MainWindow(TdmKestrinConnection& module) : form_(module, *this) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    RegisterWindowClass();
    RECT frame{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_CONTROLPARENT);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    window_ = ::CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, "", kStyle, x, y, width,
                                height, nullptr, nullptr, ui::Module(), nullptr);
    if (!window_) return;
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    ui::SetControlText(window_, TfrmMain::kCaption);
    FormCreate();
    ::ShowWindow(window_, SW_SHOW);
    ::UpdateWindow(window_);
}

MainWindow::~MainWindow() {
    if (window_ && ::IsWindow(window_)) {
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

void MainWindow::FormCreate() {
    font_ = ui::MessageFont();
    for (const ButtonRow& b : kButtons) {
        if (b.id == IDC_MAIN_SEND) {
            // The progress bar is never shown: the status bar paints its image.
            progressBar_ = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 0, 0, 0,
                                             window_, HMENU(INT_PTR(IDC_MAIN_PROGRESS)),
                                             ui::Module(), nullptr);
        }
        CreateButton(b.id, b.caption, b.x, b.width, b.picture);
    }
    statusBar_ = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                   window_, HMENU(INT_PTR(IDC_MAIN_STATUS)), ui::Module(),
                                   nullptr);
    ::SendMessageA(statusBar_, WM_SETFONT, WPARAM(font_.Get()), FALSE);
    int edges[2] = {kPanel0Width, kPanel0Width + kPanel1Width};
    ::SendMessageA(statusBar_, SB_SETPARTS, 2, LPARAM(edges));
    ::SendMessageA(statusBar_, SB_SETTEXTA, 0 | SBT_OWNERDRAW, 0);
    RECT bar{};
    ::GetWindowRect(statusBar_, &bar);
    const int barHeight = bar.bottom - bar.top;
    ::MoveWindow(progressBar_, 0, 0, kPanel0Width - 3, barHeight - 5, FALSE);
    ::SendMessageA(progressBar_, PBM_SETRANGE32, 0, 100);
    // The buttons stand centred in the space above the status bar.
    const int top = (kClientHeight - barHeight - kButtonHeight) / 2;
    for (const ButtonRow& b : kButtons) {
        ::MoveWindow(::GetDlgItem(window_, b.id), b.x, top, b.width, kButtonHeight, FALSE);
    }
    StateChanged();
}

void MainWindow::CreateButton(int id, const char* caption, int x, int width, int picture) {
    HWND button = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                                    BS_OWNERDRAW, x, 0, width, kButtonHeight, window_,
                                    HMENU(INT_PTR(id)), ui::Module(), nullptr);
    ui::SetControlText(button, caption);
    ::SendMessageA(button, WM_SETFONT, WPARAM(font_.Get()), FALSE);
    const size_t index = size_t(picture - IDI_PROCESS);
    pictures_[index] = ui::IconHandle(static_cast<HICON>(::LoadImageA(
        ui::Module(), MAKEINTRESOURCEA(picture), IMAGE_ICON, kPictureSize, kPictureSize, 0)));
}

void MainWindow::StateChanged() {
    const MainButtons& b = form_.Buttons();
    ::EnableWindow(::GetDlgItem(window_, IDC_MAIN_PROC), b.process);
    ::EnableWindow(::GetDlgItem(window_, IDC_MAIN_SHOW), b.show);
    ::EnableWindow(::GetDlgItem(window_, IDC_MAIN_SEND), b.send);
    const std::u16string text = Cp1252ToUtf16(form_.StatusText());
    ::SendMessageW(statusBar_, SB_SETTEXTW, 1, LPARAM(text.c_str()));
    const ProgressBarState& p = form_.ProgressBar();
    ::SendMessageA(progressBar_, PBM_SETRANGE32, WPARAM(p.min), LPARAM(p.max));
    ::SendMessageA(progressBar_, PBM_SETPOS, WPARAM(p.position), 0);
}

void MainWindow::RepaintWindow() {
    ::RedrawWindow(window_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void MainWindow::RepaintStatusBar() {
    ::RedrawWindow(statusBar_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// Created for one showing, owned by the main window, released when it closes.
void MainWindow::ShowSendDialog() { rb::ShowSendDialog(form_.Module(), window_); }

void MainWindow::RunMessageLoop() {
    looping_ = true;
    MSG message;
    while (::IsWindow(window_) && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (::IsDialogMessageA(window_, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcA(window, message, w, l);
    return self->Handle(message, w, l);
}

LRESULT MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED) Command(LOWORD(w));
        return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        if (item.CtlType == ODT_BUTTON) DrawButton(item);
        else if (item.hwndItem == statusBar_) StatusBarDrawPanel(item);
        return TRUE;
    }
    case WM_SIZE:
        ::SendMessageA(statusBar_, WM_SIZE, 0, 0);
        return 0;
    case WM_DESTROY:
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        if (looping_) ::PostQuitMessage(0);  // closing the main window ends the application
        return 0;
    }
    return ::DefWindowProcA(window_, message, w, l);
}

void MainWindow::Command(int id) {
    ui::RunCommand([&] {
        if (id == IDC_MAIN_PROC) form_.btnProcClick();
        if (id == IDC_MAIN_SHOW) form_.btnShowClick();
        if (id == IDC_MAIN_SEND) form_.btnSendClick();
    });
}

}  // namespace rb
