// The report viewer's window: one tabbed page per section of an inventory, the report menu, and
// the detail dialogs its pages open.
#pragma once

#include <windows.h>

#include <array>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/string_list.h"
#include "sysinfo/msystem_info.h"
#include "viewer/controls_win32.h"
#include "viewer/detail_dialog_win32.h"
#include "viewer/overview_model.h"
#include "viewer/viewer_page_win32.h"

namespace rb::viewer {

class TfrmSI_Overview {
public:
    // FormCreate: the window and every page, all pages selected, "Computadora" active.
    explicit TfrmSI_Overview(HWND owner = nullptr);
    ~TfrmSI_Overview();
    TfrmSI_Overview(const TfrmSI_Overview&) = delete;
    TfrmSI_Overview& operator=(const TfrmSI_Overview&) = delete;

    // Remembers the inventory (not owned; nullptr forgets it) and selects its pages.
    void SetSystemInfo(TMSystemInfo* info);
    void ShowProcessButtons(bool show);
    // Fills every selected page (hourglass meanwhile); errors reach the caller.
    void FillPages();
    void ShowModal();

    // The report menu's commands.
    void ReportAllClick();
    void ReportTopicClick();

    // Seams: how a detail dialog is shown (modally) and where a report is saved (the save
    // dialog; nullopt when the user cancels). Tests replace them.
    std::function<void(TdlgSI_Detail&)> showDetail;
    std::function<std::optional<std::string>(const std::string& fileName)> askSaveFile;
    // How an error raised by a command is told: the program installs its error box; without
    // one, the error's text shows in a plain box captioned as the window.
    std::function<void(const std::exception&)> showError;

    // Reading back.
    HWND Window() const { return window_.get(); }
    HWND Control(int id) const;
    int ActivePage() const { return active_; }
    void SelectPage(int page);
    std::vector<int> VisiblePages() const;
    std::string TabCaption(int page) const { return captions_[static_cast<size_t>(page)]; }
    HWND PageWindow(int page) const { return pages_[static_cast<size_t>(page)]->Window(); }

    // For the pages.
    TMSystemInfo& Info() const;
    HFONT Font() const { return font_.get(); }
    void SetTabCaption(int page, const std::string& caption);
    void ShowDetail(TdlgSI_Detail& dialog);
    // Runs a command; an error goes to showError.
    void Guarded(const std::function<void()>& command);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void ApplyPageMask(TProcessPages mask);
    void SetTabVisible(int page, bool visible);
    void RebuildTabs();
    void ShowActivePage();
    void ReportMenu();
    void SaveReport(const std::string& fileName, const std::function<void()>& fill);

    OwnedFont font_;
    OwnedWindow window_;
    HWND tabs_ = nullptr;
    std::array<std::unique_ptr<ViewerPage>, kPageCount> pages_;
    std::array<std::string, kPageCount> captions_;
    std::array<bool, kPageCount> visible_{};
    TProcessPages mask_;
    int active_ = 0;
    TMSystemInfo* info_ = nullptr;
    StringList report_;
    bool done_ = false;
};

}  // namespace rb::viewer
