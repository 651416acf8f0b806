#include "viewer/detail_dialog_win32.h"

namespace rb::viewer {

namespace {

constexpr int kWidth = 435, kHeight = 305, kBar = 38;
constexpr int kLviewId = 2101, kClboxId = 2102, kTabId = 2103;

}  // namespace

TdlgSI_Detail::TdlgSI_Detail(HWND owner) : font_(CreateViewerFont()) {
    InitViewerControls();
    window_.reset(CreateFixedWindow("TdlgSI_Detail", "Información detallada", kWidth, kHeight,
                                    owner, &TdlgSI_Detail::Proc, this));
    HWND w = window_.get();
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    tab_ = CreateChild(w, WC_TABCONTROLA, "", WS_CLIPSIBLINGS, {4, 4, kWidth - 4, kHeight - kBar},
                       kTabId);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("");
    SendMessageA(tab_, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    RECT page{4, 4, kWidth - 4, kHeight - kBar};
    TabCtrl_AdjustRect(tab_, FALSE, &page);
    lview_ = CreateListView(w, page, kLviewId, {"Variable", "Valor"}, {150, 500}, LVS_NOSORTHEADER);
    clbox_ = CreateListView(w, page, kClboxId, {""}, {page.right - page.left - 24},
                            LVS_NOCOLUMNHEADER, LVS_EX_CHECKBOXES);
    checks_.Attach(clbox_);
    CreateChild(w, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP,
                {kWidth - 88, kHeight - kBar + 7, kWidth - 8, kHeight - 8}, IDOK);
    FrameFromBelow(tab_);
    SetFontBelow(w, font_.get());
    ListMode();
}

TdlgSI_Detail::~TdlgSI_Detail() {
    // The window's last messages must not reach members already gone.
    if (window_) SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

void TdlgSI_Detail::SetTitle(const std::string& title) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(title.c_str());
    SendMessageA(tab_, TCM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

std::string TdlgSI_Detail::Title() const {
    char buffer[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(tab_, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void TdlgSI_Detail::ListMode() {
    ShowWindow(clbox_, SW_HIDE);
    ShowWindow(lview_, SW_SHOW);
}

void TdlgSI_Detail::CheckMode() {
    ShowWindow(lview_, SW_HIDE);
    ShowWindow(clbox_, SW_SHOW);
}

void TdlgSI_Detail::ClearList() { ListView_DeleteAllItems(lview_); }

void TdlgSI_Detail::ClearChecks() { checks_.Clear(); }

void TdlgSI_Detail::AddRow(const std::string& name, const std::string& value) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListCount(lview_);
    item.pszText = const_cast<char*>(name.c_str());
    const int row =
        static_cast<int>(SendMessageA(lview_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMA sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<char*>(value.c_str());
    SendMessageA(lview_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
}

void TdlgSI_Detail::ShowChecks(const StringList& lines, bool clear, bool wholeLines) {
    if (clear) checks_.Clear();
    // Items are added one by one, so a conversion error leaves those before it.
    StringList one;
    for (int i = 0; i < lines.Count(); ++i) {
        if (wholeLines) {
            checks_.Add({lines[i], true});
            continue;
        }
        // The value of the first line of this name decides.
        one.Clear();
        const std::string name = lines.Names(i);
        one.Add(name + "=" + lines.Values(name));
        for (const CheckItem& item : CheckItemsFrom(one, false)) checks_.Add(item);
    }
}

void TdlgSI_Detail::ShowModal() {
    done_ = false;
    SetFocus(GetDlgItem(window_.get(), IDOK));
    RunModal(window_.get(), done_);
}

LRESULT CALLBACK TdlgSI_Detail::Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    TdlgSI_Detail* self = AttachedObject<TdlgSI_Detail>(window, msg, lp);
    if (self && self->window_) return self->Handle(msg, wp, lp);
    return DefWindowProcA(window, msg, wp, lp);
}

LRESULT TdlgSI_Detail::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) done_ = true;
            return 0;
        case WM_CLOSE:
            done_ = true;
            return 0;
        case WM_NOTIFY:
            checks_.Notify(*reinterpret_cast<NMHDR*>(lp));
            return 0;
        default:
            return DefWindowProcA(window_.get(), msg, wp, lp);
    }
}

}  // namespace rb::viewer
