// Small helpers for the viewer's windows: owned windows and GDI objects, child controls placed
// in a column, list views filled with redrawing suspended, check lists whose marks only show,
// and a modal loop with dialog keys.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "viewer/overview_model.h"
#include "viewer/page_texts.h"

namespace rb::viewer {

struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

struct GdiDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;

struct ImageListDeleter {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using OwnedImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

// The windows' font: Tahoma, 8 points.
OwnedFont CreateViewerFont();
// Registers the common controls the viewer uses (once per process).
void InitViewerControls();

// A top-level window with a fixed dialog border, of the given client size, centred on the
// screen; `self` reaches `proc` in WM_NCCREATE's creation data (the class is registered once).
HWND CreateFixedWindow(const char* className, const std::string& caption, int clientWidth,
                       int clientHeight, HWND owner, WNDPROC proc, void* self);
// The object a window was created for (stored at WM_NCCREATE by AttachedObject itself).
template <class T>
T* AttachedObject(HWND window, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return self;
    }
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
// Gives `font` to every window below `window`.
void SetFontBelow(HWND window, HFONT font);

// Puts a tab control below the siblings it frames: it clips its siblings, so it never paints
// over them, whichever of them repaints last.
void FrameFromBelow(HWND tabs);

HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style,
                 RECT bounds, int id, DWORD exStyle = 0);
std::string WindowText(HWND window);
void SetText(HWND window, const std::string& text);

// List views.
HWND CreateListView(HWND parent, RECT bounds, int id, const std::vector<std::string>& columns,
                    const std::vector<int>& widths, DWORD extraStyle = 0, DWORD exStyle = 0);
// Replaces the rows (with redrawing suspended); `images` gives each row's icon, if any.
void SetListRows(HWND list, const Rows& rows, const std::vector<int>& images = {});
int ListCount(HWND list);
// Makes an empty list view tall enough to show `count` items without scrolling; answers how
// many pixels it grew.
int GrowListToHold(HWND list, int count);
std::string ListText(HWND list, int row, int column);
int SelectedRow(HWND list);  // -1: none

// A list view with check boxes whose marks show the stored state: a click is undone at once.
class CheckList {
public:
    void Attach(HWND list) { list_ = list; }
    HWND Window() const { return list_; }
    void Clear();
    void Add(const CheckItem& item);
    void Set(const std::vector<CheckItem>& items);  // clears first
    // Call from the parent's WM_NOTIFY: re-applies the stored mark of a changed item.
    void Notify(const NMHDR& header);

private:
    void Apply(int index);
    HWND list_ = nullptr;
    std::vector<bool> marks_;
    bool applying_ = false;
};

// Tabs inside a page, each showing one panel (a panel or a control that fills the tabs' area).
class InnerTabs {
public:
    void Create(HWND page, RECT bounds, int id, const std::vector<std::string>& captions);
    RECT Area() const { return area_; }  // the panels' place
    void Add(HWND panel) { panels_.push_back(panel); }
    void Select(int index);
    // Call from the page's WM_NOTIFY: shows the panel of the chosen tab.
    void Notify(const NMHDR& header);

private:
    HWND tabs_ = nullptr;
    RECT area_{};
    std::vector<HWND> panels_;
};

// Sets the values of `groups`' fields, in order, into the controls `ids` of `page`.
void SetFields(HWND page, const std::vector<Group>& groups, const std::vector<int>& ids);

// Shows `window` modally over its owner (disabled meanwhile) until `done` is set; Enter and Esc
// reach the window as the commands IDOK and IDCANCEL.
void RunModal(HWND window, const bool& done);

// The hourglass while filling; the arrow comes back on every path.
class WaitCursor {
public:
    WaitCursor() { SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }
    ~WaitCursor() { SetCursor(LoadCursorA(nullptr, IDC_ARROW)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Places controls top-down in a page: groups, labelled fields, lines, lists, buttons.
class ColumnLayout {
public:
    ColumnLayout(HWND page, int width, int top = 8) : page_(page), width_(width), y_(top) {}
    int Y() const { return y_; }
    void Skip(int pixels) { y_ += pixels; }
    // A group box around what follows until EndGroup.
    HWND BeginGroup(const std::string& caption, int id = 0);
    void EndGroup();
    // A label and a read-only value box, with a unit after it when `unit` is not empty.
    HWND Field(const std::string& label, int id, int labelWidth = 110,
               const std::string& unit = "");
    HWND Line(int id, const std::string& text = "");
    HWND List(int id, const std::vector<std::string>& columns, const std::vector<int>& widths,
              int height, DWORD extraStyle = 0, DWORD exStyle = 0);
    HWND Gauge(int id);
    HWND Combo(const std::string& label, int id);
    // A row of buttons, right-aligned; the first may be wider.
    std::vector<HWND> Buttons(const std::vector<std::pair<std::string, int>>& buttons,
                              int buttonWidth = 90, int firstWidth = 0);
    HWND Control(const char* className, const std::string& text, DWORD style, int height,
                 int id, int indent = 0, int width = 0);

private:
    int Left() const { return 8 + (group_ ? 8 : 0); }
    int Inner() const { return width_ - 2 * Left(); }
    HWND page_;
    int width_;
    int y_;
    HWND group_ = nullptr;
    int groupTop_ = 0;
};

}  // namespace rb::viewer
