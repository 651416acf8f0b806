#include "support/window_shot_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "support/png_file.h"
#include "support/window_picture_win32.h"

namespace rb::test {
namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

bool HasInk(const std::string& text) { return text.find_first_not_of(" \t\r\n") != std::string::npos; }

Box ScreenBox(HWND root, HWND window, RECT r) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return BoxIn(root, r);
}

Box WindowBox(HWND root, HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return BoxIn(root, r);
}

Box ClientBox(HWND root, HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return ScreenBox(root, window, r);
}

// Shown, with every window between it and `root`.
bool ShownIn(HWND root, HWND window) {
    for (HWND w = window; w && w != root; w = GetAncestor(w, GA_PARENT)) {
        if (!(GetWindowLongPtrA(w, GWL_STYLE) & WS_VISIBLE)) return false;
    }
    return true;
}

// Whether part of `window` lies outside the client area of a window that holds it.
bool CutOff(HWND root, HWND window) {
    const Box whole = WindowBox(root, window);
    Box shown = whole;
    for (HWND w = GetAncestor(window, GA_PARENT); w; w = GetAncestor(w, GA_PARENT)) {
        shown = shown.Cut(ClientBox(root, w));
        if (w == root) break;
    }
    return shown.left != whole.left || shown.top != whole.top || shown.right != whole.right ||
           shown.bottom != whole.bottom;
}

int TextHeight(HWND window) {
    HDC dc = CreateCompatibleDC(nullptr);
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    return metrics.tmHeight;
}

ControlSeen Group(HWND root, HWND group) {
    const Box frame = WindowBox(root, group);
    ControlSeen seen{ControlSeen::Kind::GroupBox, "group \"" + TextOf(group) + "\"",
                     {frame.left + 3, frame.top + TextHeight(group) + 1, frame.right - 3,
                      frame.bottom - 3}, {}, {}, CutOff(root, group)};
    for (HWND s = GetWindow(GetAncestor(group, GA_PARENT), GW_CHILD); s; s = GetWindow(s, GW_HWNDNEXT)) {
        if (s != group && (GetWindowLongPtrA(s, GWL_STYLE) & WS_VISIBLE)) {
            seen.covered.push_back(WindowBox(root, s));
        }
    }
    return seen;
}

void AddButton(HWND root, HWND button, std::vector<ControlSeen>& seen) {
    const LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_GROUPBOX) {
        seen.push_back(Group(root, button));
        return;
    }
    const std::string text = TextOf(button);
    if (!HasInk(text)) return;
    Box box = WindowBox(root, button);
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW) {
        box = box.Inset(5, std::min(5, box.Height() / 4));  // inside the edges and focus frame
    } else {
        // Beside the check mark.
        if (GetWindowLongA(button, GWL_STYLE) & BS_LEFTTEXT) {
            box.right -= 16;
        } else {
            box.left += 16;
        }
    }
    seen.push_back({ControlSeen::Kind::Button, "button \"" + text + "\"", box, {}, {},
                    CutOff(root, button)});
}

bool RowHasText(HWND list, int row, int columns) {
    for (int c = 0; c < columns; ++c) {
        char text[512] = {};
        LVITEMA item{};
        item.iSubItem = c;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        if (HasInk(text)) return true;
    }
    return false;
}

// A list view's rows wholly shown below its header, from the text's left edge (after any
// check box or icon).
void AddListView(HWND root, HWND list, std::vector<ControlSeen>& seen) {
    const int count = ListView_GetItemCount(list);
    Box area = ClientBox(root, list);
    HWND header = ListView_GetHeader(list);
    int columns = 1;
    if (header && (GetWindowLongPtrA(header, GWL_STYLE) & WS_VISIBLE)) {
        area.top = std::max(area.top, WindowBox(root, header).bottom);
        columns = std::max(1, Header_GetItemCount(header));
    }
    ControlSeen found{ControlSeen::Kind::List, "list " + std::to_string(GetDlgCtrlID(list)), area,
                      {}, {}, CutOff(root, list)};
    for (int i = 0; i < count; ++i) {
        RECT bounds{}, label{};
        ListView_GetItemRect(list, i, &bounds, LVIR_BOUNDS);
        ListView_GetItemRect(list, i, &label, LVIR_LABEL);
        bounds.left = label.left;
        const Box row = ScreenBox(root, list, bounds);
        const Box shown = row.Cut(area);
        if (shown.Height() < row.Height() || shown.Empty() || !RowHasText(list, i, columns)) continue;
        found.rows.push_back(shown);
    }
    if (!found.rows.empty() || found.cutOff) seen.push_back(found);
}

void AddTreeView(HWND root, HWND tree, std::vector<ControlSeen>& seen) {
    const Box area = ClientBox(root, tree);
    ControlSeen found{ControlSeen::Kind::List, "tree " + std::to_string(GetDlgCtrlID(tree)), area,
                      {}, {}, CutOff(root, tree)};
    for (HTREEITEM item = TreeView_GetFirstVisible(tree); item;
         item = TreeView_GetNextVisible(tree, item)) {
        RECT r{};
        if (!TreeView_GetItemRect(tree, item, &r, TRUE)) break;
        const Box row = ScreenBox(root, tree, r);
        if (row.Cut(area).Height() < row.Height()) break;
        char text[256] = {};
        TVITEMA get{TVIF_TEXT, item};
        get.pszText = text;
        get.cchTextMax = sizeof(text);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get));
        if (HasInk(text)) found.rows.push_back(row);
    }
    if (!found.rows.empty() || found.cutOff) seen.push_back(found);
}

struct Collecting {
    HWND root;
    std::vector<ControlSeen>* seen;
};

BOOL CALLBACK Collect(HWND child, LPARAM data) {
    auto& c = *reinterpret_cast<Collecting*>(data);
    if (!ShownIn(c.root, child)) return TRUE;
    const std::string cls = ClassOf(child);
    if (lstrcmpiA(cls.c_str(), "Button") == 0) AddButton(c.root, child, *c.seen);
    if (cls == WC_LISTVIEWA) AddListView(c.root, child, *c.seen);
    if (cls == WC_TREEVIEWA) AddTreeView(c.root, child, *c.seen);
    return TRUE;
}

std::string Save(const Picture& picture, const std::string& name) {
    if (picture.rgb.empty()) return "";
    const std::string path = ScreenshotFolder() + "/" + name + ".png";
    return WritePngFile(path, uint32_t(picture.width), uint32_t(picture.height), picture.rgb)
               ? path
               : "";
}

}  // namespace

std::string ScreenshotFolder() { return RB_SCREENSHOT_DIR; }

std::string SaveWindowShot(HWND window, const std::string& name) {
    return Save(PrintedWindow(window), name);
}

std::vector<ControlSeen> ControlsSeen(HWND window) {
    std::vector<ControlSeen> seen;
    Collecting collecting{window, &seen};
    EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&collecting));
    return seen;
}

std::string CheckedWindowShot(HWND window, const std::string& name) {
    const Picture picture = PrintedWindow(window);
    if (Save(picture, name).empty()) return name + ": the screenshot could not be taken or saved\n";
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    std::vector<std::string> seen = FaultsSeen(picture, ControlsSeen(window),
                                               {GetRValue(face), GetGValue(face), GetBValue(face)});
    if (auto fault = OrderFault(picture, PrintedWindow(window, PaintOrder::BottomFirst))) {
        seen.push_back(*fault);
    }
    std::string faults;
    for (const std::string& fault : seen) faults += name + ": " + fault + "\n";
    return faults;
}

}  // namespace rb::test
