// The detail dialog: one detail of the inventory, as a list of named values (list mode) or as
// items with check marks that only show (check mode), under a tab captioned with its title.
#pragma once

#include <windows.h>

#include <string>

#include "core/string_list.h"
#include "viewer/controls_win32.h"

namespace rb::viewer {

class TdlgSI_Detail {
public:
    explicit TdlgSI_Detail(HWND owner);
    ~TdlgSI_Detail();
    TdlgSI_Detail(const TdlgSI_Detail&) = delete;
    TdlgSI_Detail& operator=(const TdlgSI_Detail&) = delete;

    void SetTitle(const std::string& title);
    void ListMode();
    void CheckMode();
    void ClearList();
    void ClearChecks();
    void AddRow(const std::string& name, const std::string& value);
    // Fills the check list (see CheckItemsFrom); a value that is not a whole number stops the
    // filling with the conversion error.
    void ShowChecks(const StringList& lines, bool clear, bool wholeLines);
    // Shows the dialog modally until OK, Enter or Esc closes it.
    void ShowModal();

    HWND Window() const { return window_.get(); }
    HWND Tab() const { return tab_; }
    HWND lview() const { return lview_; }
    HWND clbox() const { return clbox_; }
    std::string Title() const;
    bool Closed() const { return done_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);

    OwnedFont font_;
    OwnedWindow window_;
    HWND tab_ = nullptr;
    HWND lview_ = nullptr;
    HWND clbox_ = nullptr;
    CheckList checks_;
    bool done_ = false;
};

}  // namespace rb::viewer
