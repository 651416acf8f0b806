#include "viewer/viewer_page_win32.h"

#include "platform/platform.h"
#include "viewer/overview_win32.h"

namespace rb::viewer {

namespace {

LRESULT CALLBACK PageProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    auto* page = AttachedObject<ViewerPage>(window, msg, lp);
    if (page) {
        switch (msg) {
            case WM_COMMAND:
                page->Command(LOWORD(wp), HIWORD(wp));
                return 0;
            case WM_NOTIFY:
                page->Notify(*reinterpret_cast<NMHDR*>(lp));
                return 0;
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLORBTN: {
                const auto dc = reinterpret_cast<HDC>(wp);
                const auto control = reinterpret_cast<HWND>(lp);
                if (HBRUSH brush = page->StaticColour(dc, control)) {
                    return reinterpret_cast<LRESULT>(brush);
                }
                // Values in white boxes, everything else on the page's colour.
                char cls[16] = {};
                GetClassNameA(control, cls, sizeof(cls));
                const int colour = lstrcmpiA(cls, "Edit") == 0 ? COLOR_WINDOW : COLOR_BTNFACE;
                SetBkColor(dc, GetSysColor(colour));
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(colour));
            }
            default:
                break;
        }
    }
    return DefWindowProcA(window, msg, wp, lp);
}

// A page (or a panel in one). It does not clip its children: its background is erased under
// them too, since group boxes paint only their frame and caption and leave their inside to
// what lies below.
HWND CreatePageWindow(HWND parent, RECT r, ViewerPage* page) {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = PageProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "rbViewerPage";
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExA(WS_EX_CONTROLPARENT, "rbViewerPage", "",
                           WS_CHILD | WS_CLIPSIBLINGS, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, parent, nullptr,
                           GetModuleHandleA(nullptr), page);
}

}  // namespace

void ViewerPage::Create(TfrmSI_Overview& owner, HWND parent, RECT bounds) {
    owner_ = &owner;
    width_ = bounds.right - bounds.left;
    height_ = bounds.bottom - bounds.top;
    window_ = CreatePageWindow(parent, bounds, this);
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(owner.Font()), FALSE);
    ColumnLayout layout(window_, width_);
    Build(layout);
}

HWND ViewerPage::Panel(HWND parent, RECT bounds) {
    HWND panel = CreatePageWindow(parent, bounds, this);
    SendMessageA(panel, WM_SETFONT, reinterpret_cast<WPARAM>(owner_->Font()), FALSE);
    ShowWindow(panel, SW_SHOW);
    return panel;
}

void ShowRowsDetail(TfrmSI_Overview& owner, const std::string& title,
                    const std::vector<Field>& rows) {
    TdlgSI_Detail dialog(owner.Window());
    dialog.SetTitle(title);
    dialog.ListMode();
    dialog.ClearList();
    for (const Field& row : rows) dialog.AddRow(row.label, row.value);
    owner.ShowDetail(dialog);
}

void ShowChecksDetail(TfrmSI_Overview& owner, const std::string& title, const StringList& lines,
                      bool wholeLines) {
    TdlgSI_Detail dialog(owner.Window());
    dialog.SetTitle(title);
    dialog.CheckMode();
    dialog.ShowChecks(lines, true, wholeLines);
    owner.ShowDetail(dialog);
}
char ThousandSeparator() { return platform::Current().System().Locale().thousandSeparator; }

Rows SingleColumn(const std::vector<std::string>& lines) {
    Rows rows;
    rows.reserve(lines.size());
    for (const std::string& line : lines) rows.push_back({line});
    return rows;
}

bool IsDoubleClick(const NMHDR& header, HWND control) {
    return header.hwndFrom == control && header.code == NM_DBLCLK;
}

}  // namespace rb::viewer
