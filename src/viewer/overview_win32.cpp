#include "viewer/overview_win32.h"

#include <commdlg.h>

#include "core/exception.h"
#include "platform/platform.h"

namespace rb::viewer {

namespace {

constexpr int kWidth = 382, kHeight = 521, kBar = 38;
constexpr int kMenuAll = 1, kMenuTopic = 2;

std::optional<std::string> AskSaveFileWithDialog(HWND owner, const std::string& fileName) {
    char buffer[MAX_PATH] = {};
    lstrcpynA(buffer, fileName.c_str(), MAX_PATH);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "Text files\0*.txt\0All files\0*.*\0";
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = "txt";
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
    if (!GetSaveFileNameA(&ofn)) return std::nullopt;
    return std::string(buffer);
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindControl(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ControlSearch*>(data);
    if (GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

}  // namespace

TfrmSI_Overview::TfrmSI_Overview(HWND owner) : font_(CreateViewerFont()) {
    InitViewerControls();
    for (int p = 0; p < kPageCount; ++p) captions_[p] = kPages[p].caption;
    window_.reset(CreateFixedWindow("TfrmSI_Overview", "Información del sistema", kWidth, kHeight,
                                    owner, &TfrmSI_Overview::Proc, this));
    HWND w = window_.get();
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    tabs_ = CreateChild(w, WC_TABCONTROLA, "", WS_CLIPSIBLINGS | TCS_MULTILINE,
                        {4, 4, kWidth - 4, kHeight - kBar}, tabPages);
    CreateChild(w, "BUTTON", "Reporte...", BS_PUSHBUTTON | WS_TABSTOP,
                {8, kHeight - kBar + 7, 98, kHeight - 8}, btnReport);
    CreateChild(w, "BUTTON", "Reprocesar", BS_PUSHBUTTON | WS_TABSTOP,
                {kWidth - 188, kHeight - kBar + 7, kWidth - 98, kHeight - 8}, btnReprocess);
    CreateChild(w, "BUTTON", "&Aceptar", BS_DEFPUSHBUTTON | WS_TABSTOP,
                {kWidth - 90, kHeight - kBar + 7, kWidth - 8, kHeight - 8}, btnClose);
    // Every tab shown while measuring, so that the pages fit below all tab rows.
    for (int p = 0; p < kPageCount; ++p) visible_[p] = true;
    RebuildTabs();
    RECT area{4, 4, kWidth - 4, kHeight - kBar};
    TabCtrl_AdjustRect(tabs_, FALSE, &area);
    for (int p = 0; p < kPageCount; ++p) {
        pages_[p] = MakePageWindow(p);
        pages_[p]->Create(*this, w, area);
    }
    SetFontBelow(w, font_.get());
    ApplyPageMask(TProcessPages::FromMask(kAllProcessPages));
    SelectPage(0);
    if (HWND cpuTabs = Control(tabCPU)) TabCtrl_SetCurSel(cpuTabs, 0);
}

TfrmSI_Overview::~TfrmSI_Overview() {
    // The window goes first, while the pages its children report to still exist.
    if (window_) SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

HWND TfrmSI_Overview::Control(int id) const {
    if (HWND own = GetDlgItem(window_.get(), id)) return own;
    ControlSearch search{id, nullptr};
    EnumChildWindows(window_.get(), FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TMSystemInfo& TfrmSI_Overview::Info() const {
    if (!info_) throw Exception("No hay información para mostrar");
    return *info_;
}

void TfrmSI_Overview::SetSystemInfo(TMSystemInfo* info) {
    info_ = info;
    if (info_) ApplyPageMask(info_->ProcessList);
}

void TfrmSI_Overview::ShowProcessButtons(bool show) {
    for (int id : {btnReprocess, btnKillProcess, btnProcessProperties}) {
        if (HWND button = Control(id)) ShowWindow(button, show ? SW_SHOW : SW_HIDE);
    }
}

void TfrmSI_Overview::ApplyPageMask(TProcessPages mask) {
    mask_ = mask;
    const PageVisibility v = viewer::ApplyPageMask(mask);
    visible_ = v.visible;
    active_ = v.active;
    RebuildTabs();
}

void TfrmSI_Overview::SetTabVisible(int page, bool visible) {
    if (visible_[page] == visible) return;
    visible_[page] = visible;
    if (!visible && active_ == page) active_ = -1;
    RebuildTabs();
}

void TfrmSI_Overview::SetTabCaption(int page, const std::string& caption) {
    captions_[page] = caption;
    RebuildTabs();
}

std::vector<int> TfrmSI_Overview::VisiblePages() const {
    std::vector<int> pages;
    for (int p = 0; p < kPageCount; ++p) {
        if (visible_[p]) pages.push_back(p);
    }
    return pages;
}

void TfrmSI_Overview::RebuildTabs() {
    TabCtrl_DeleteAllItems(tabs_);
    const std::vector<int> pages = VisiblePages();
    if (active_ < 0 && !pages.empty()) active_ = pages.front();
    for (size_t i = 0; i < pages.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(captions_[pages[i]].c_str());
        item.lParam = pages[i];
        SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        if (pages[i] == active_) TabCtrl_SetCurSel(tabs_, static_cast<int>(i));
    }
    ShowActivePage();
}

void TfrmSI_Overview::SelectPage(int page) {
    if (page < 0 || page >= kPageCount || !visible_[page]) return;
    active_ = page;
    RebuildTabs();
}

void TfrmSI_Overview::ShowActivePage() {
    for (int p = 0; p < kPageCount; ++p) {
        if (!pages_[p]) continue;
        HWND page = pages_[p]->Window();
        if (p == active_) {
            SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        } else {
            ShowWindow(page, SW_HIDE);
        }
    }
}

void TfrmSI_Overview::FillPages() {
    WaitCursor wait;
    TMSystemInfo& info = Info();
    const std::vector<int> order = FillOrder(mask_);
    for (int page : order) {
        if (page <= kProblemsPage) pages_[page]->Fill(info);
    }
    // Whatever the selection says, the problems tab shows exactly when there are problems.
    SetTabVisible(kProblemsPage, info.ErrorList->Count() > 0);
    for (int page : order) {
        if (page > kProblemsPage) pages_[page]->Fill(info);
    }
}

void TfrmSI_Overview::ShowModal() {
    done_ = false;
    SetFocus(GetDlgItem(window_.get(), btnClose));
    RunModal(window_.get(), done_);
}

void TfrmSI_Overview::ShowDetail(TdlgSI_Detail& dialog) {
    if (showDetail) {
        showDetail(dialog);
    } else {
        dialog.ShowModal();
    }
}

void TfrmSI_Overview::Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        if (showError) {
            showError(e);
        } else {
            platform::Current().Windows().ShowMessage(e.what(), WindowText(window_.get()),
                                                      platform::kMbIconError);
        }
    }
}

void TfrmSI_Overview::SaveReport(const std::string& fileName,
                                 const std::function<void()>& fill) {
    report_.Clear();
    const std::optional<std::string> chosen =
        askSaveFile ? askSaveFile(fileName) : AskSaveFileWithDialog(window_.get(), fileName);
    if (!chosen) return;
    fill();
    SaveReportFile(report_, *chosen);
}

void TfrmSI_Overview::ReportAllClick() {
    SaveReport(kAllTopicsFileName, [this] { Info().Report(report_); });
}

void TfrmSI_Overview::ReportTopicClick() {
    const int page = active_;
    SaveReport(TopicFileName(page >= 0 ? captions_[page] : ""),
               [this, page] { TopicReport(Info(), page, report_); });
}

void TfrmSI_Overview::ReportMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kMenuAll, "Todos los tópicos");
    AppendMenuA(menu, MF_STRING, kMenuTopic, "el tópico actual");
    RECT r;
    GetWindowRect(GetDlgItem(window_.get(), btnReport), &r);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                      r.left, r.bottom, 0, window_.get(), nullptr);
    DestroyMenu(menu);
    if (chosen == kMenuAll) Guarded([this] { ReportAllClick(); });
    if (chosen == kMenuTopic) Guarded([this] { ReportTopicClick(); });
}

LRESULT CALLBACK TfrmSI_Overview::Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    TfrmSI_Overview* self = AttachedObject<TfrmSI_Overview>(window, msg, lp);
    if (self && self->window_) return self->Handle(msg, wp, lp);
    return DefWindowProcA(window, msg, wp, lp);
}

LRESULT TfrmSI_Overview::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) done_ = true;
            if (LOWORD(wp) == btnReport) ReportMenu();
            return 0;
        case WM_CLOSE:
            done_ = true;
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
                TCITEMA item{};
                item.mask = TCIF_PARAM;
                SendMessageA(tabs_, TCM_GETITEMA, TabCtrl_GetCurSel(tabs_),
                             reinterpret_cast<LPARAM>(&item));
                active_ = static_cast<int>(item.lParam);
                ShowActivePage();
            }
            return 0;
        }
        default:
            return DefWindowProcA(window_.get(), msg, wp, lp);
    }
}


}  // namespace rb::viewer
