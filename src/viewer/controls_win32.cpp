#include "viewer/controls_win32.h"

namespace rb::viewer {

OwnedFont CreateViewerFont() {
    return OwnedFont(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, "Tahoma"));
}

void InitViewerControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                  ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                  ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

HWND CreateFixedWindow(const char* className, const std::string& caption, int clientWidth,
                       int clientHeight, HWND owner, WNDPROC proc, void* self) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), className, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        RegisterClassExA(&wc);
    }
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    return CreateWindowExA(exStyle, className, caption.c_str(), style, x, y, w, h, owner, nullptr,
                           GetModuleHandleA(nullptr), self);
}

namespace {

BOOL CALLBACK SetFontOf(HWND child, LPARAM font) {
    SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

}  // namespace

void SetFontBelow(HWND window, HFONT font) {
    EnumChildWindows(window, SetFontOf, reinterpret_cast<LPARAM>(font));
}

void FrameFromBelow(HWND tabs) {
    SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style,
                 RECT r, int id, DWORD exStyle) {
    HWND child = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                 r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    // The parent's font, if it has one.
    if (child) SendMessageA(child, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
    return child;
}

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

void SetText(HWND window, const std::string& text) { SetWindowTextA(window, text.c_str()); }

void RunModal(HWND window, const bool& done) {
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (!done) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    ShowWindow(window, SW_HIDE);
}

HWND ColumnLayout::BeginGroup(const std::string& caption, int id) {
    group_ = CreateChild(page_, "BUTTON", caption, BS_GROUPBOX, {8, y_, width_ - 8, y_ + 20}, id);
    groupTop_ = y_;
    y_ += 18;
    return group_;
}

void ColumnLayout::EndGroup() {
    y_ += 4;
    SetWindowPos(group_, HWND_BOTTOM, 0, 0, width_ - 16, y_ - groupTop_, SWP_NOMOVE);
    group_ = nullptr;
    y_ += 6;
}

HWND ColumnLayout::Field(const std::string& label, int id, int labelWidth,
                         const std::string& unit) {
    const int x = Left();
    const int unitWidth = unit.empty() ? 0 : 40;
    CreateChild(page_, "STATIC", label, SS_LEFT, {x, y_ + 3, x + labelWidth - 4, y_ + 18}, 0);
    HWND edit = CreateChild(page_, "EDIT", "", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP,
                            {x + labelWidth, y_, x + Inner() - unitWidth, y_ + 20}, id,
                            WS_EX_CLIENTEDGE);
    if (!unit.empty()) {
        CreateChild(page_, "STATIC", unit, SS_LEFT,
                    {x + Inner() - unitWidth + 6, y_ + 3, x + Inner(), y_ + 18}, 0);
    }
    y_ += 23;
    return edit;
}

HWND ColumnLayout::Line(int id, const std::string& text) {
    HWND line = Control("STATIC", text, SS_LEFT | SS_NOPREFIX, 16, id);
    y_ -= 2;
    return line;
}

HWND ColumnLayout::List(int id, const std::vector<std::string>& columns,
                        const std::vector<int>& widths, int height, DWORD extraStyle,
                        DWORD exStyle) {
    const int x = Left();
    HWND list = CreateListView(page_, {x, y_, x + Inner(), y_ + height}, id, columns, widths,
                               extraStyle, exStyle);
    y_ += height + 6;
    return list;
}

HWND ColumnLayout::Gauge(int id) { return Control(PROGRESS_CLASSA, "", PBS_SMOOTH, 18, id); }

HWND ColumnLayout::Combo(const std::string& label, int id) {
    const int x = Left();
    CreateChild(page_, "STATIC", label, SS_LEFT, {x, y_ + 4, x + 76, y_ + 20}, 0);
    HWND combo = CreateChild(page_, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                             {x + 80, y_, x + Inner(), y_ + 200}, id);
    y_ += 28;
    return combo;
}

std::vector<HWND> ColumnLayout::Buttons(const std::vector<std::pair<std::string, int>>& buttons,
                                        int buttonWidth, int firstWidth) {
    std::vector<HWND> made;
    const int first = firstWidth > 0 ? firstWidth : buttonWidth;
    int x = Left() + Inner() - static_cast<int>(buttons.size()) * (buttonWidth + 6) + 6 -
            (first - buttonWidth);
    for (const auto& [caption, id] : buttons) {
        const int w = made.empty() ? first : buttonWidth;
        made.push_back(CreateChild(page_, "BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP,
                                   {x, y_, x + w, y_ + 23}, id));
        x += w + 6;
    }
    y_ += 29;
    return made;
}

HWND ColumnLayout::Control(const char* className, const std::string& text, DWORD style,
                           int height, int id, int indent, int width) {
    const int x = Left() + indent;
    const int w = width > 0 ? width : Inner() - indent;
    HWND control = CreateChild(page_, className, text, style, {x, y_, x + w, y_ + height}, id);
    y_ += height + 4;
    return control;
}

void InnerTabs::Create(HWND page, RECT bounds, int id, const std::vector<std::string>& captions) {
    tabs_ = CreateChild(page, WC_TABCONTROLA, "", WS_CLIPSIBLINGS, bounds, id);
    for (size_t i = 0; i < captions.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(captions[i].c_str());
        SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    area_ = bounds;
    TabCtrl_AdjustRect(tabs_, FALSE, &area_);
}

void InnerTabs::Select(int index) {
    TabCtrl_SetCurSel(tabs_, index);
    for (size_t i = 0; i < panels_.size(); ++i) {
        if (static_cast<int>(i) == index) {
            SetWindowPos(panels_[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        } else {
            ShowWindow(panels_[i], SW_HIDE);
        }
    }
}

void InnerTabs::Notify(const NMHDR& header) {
    if (header.hwndFrom == tabs_ && header.code == TCN_SELCHANGE) Select(TabCtrl_GetCurSel(tabs_));
}

void SetFields(HWND page, const std::vector<Group>& groups, const std::vector<int>& ids) {
    size_t next = 0;
    for (const Group& group : groups) {
        for (const Field& field : group.fields) {
            if (next < ids.size()) SetText(GetDlgItem(page, ids[next++]), field.value);
        }
    }
}

}  // namespace rb::viewer
