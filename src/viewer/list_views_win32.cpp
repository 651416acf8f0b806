// List views: creation, rows, reading back, growing to hold items, and check lists whose marks
// only show the stored state.
#include "viewer/controls_win32.h"

namespace rb::viewer {

HWND CreateListView(HWND parent, RECT bounds, int id, const std::vector<std::string>& columns,
                    const std::vector<int>& widths, DWORD extraStyle, DWORD exStyle) {
    HWND list = CreateChild(parent, WC_LISTVIEWA, "",
                            WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
                                extraStyle,
                            bounds, id, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | exStyle);
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[i].c_str());
        column.cx = i < widths.size() ? widths[i] : 100;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    return list;
}

void SetListRows(HWND list, const Rows& rows, const std::vector<int>& images) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    ListView_SetItemCount(list, static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | (r < images.size() ? LVIF_IMAGE : 0);
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<char*>(rows[r].empty() ? "" : rows[r][0].c_str());
        item.iImage = r < images.size() ? images[r] : 0;
        const int index = static_cast<int>(
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (size_t c = 1; c < rows[r].size(); ++c) {
            LVITEMA sub{};
            sub.iSubItem = static_cast<int>(c);
            sub.pszText = const_cast<char*>(rows[r][c].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&sub));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int ListCount(HWND list) { return ListView_GetItemCount(list); }

namespace {
bool AllItemsInside(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        RECT item{};
        ListView_GetItemRect(list, i, &item, LVIR_BOUNDS);
        if (item.left < 0 || item.top < 0 || item.right > client.right ||
            item.bottom > client.bottom) {
            return false;
        }
    }
    return true;
}
}  // namespace

// Grown a little at a time with sample items in it, so that whatever rule the control lays
// its columns out by, the result is seen rather than computed.
int GrowListToHold(HWND list, int count) {
    for (int i = 0; i < count; ++i) {
        LVITEMA sample{};
        sample.mask = LVIF_TEXT;
        sample.iItem = i;
        sample.pszText = const_cast<char*>("X");
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&sample));
    }
    RECT window{};
    GetWindowRect(list, &window);
    const int width = window.right - window.left;
    const int before = window.bottom - window.top;
    constexpr int kStep = 2;
    constexpr int kMostGrowth = 200;
    int height = before;
    while (!AllItemsInside(list) && height < before + kMostGrowth) {
        height += kStep;
        SetWindowPos(list, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ListView_DeleteAllItems(list);
    return height - before;
}

std::string ListText(HWND list, int row, int column) {
    char buffer[1024] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int SelectedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

void CheckList::Clear() {
    marks_.clear();
    ListView_DeleteAllItems(list_);
}

void CheckList::Add(const CheckItem& item) {
    LVITEMA row{};
    row.mask = LVIF_TEXT;
    row.iItem = static_cast<int>(marks_.size());
    row.pszText = const_cast<char*>(item.text.c_str());
    marks_.push_back(item.checked);
    SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    Apply(row.iItem);
}

void CheckList::Set(const std::vector<CheckItem>& items) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    Clear();
    for (const CheckItem& item : items) Add(item);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void CheckList::Apply(int index) {
    applying_ = true;  // the change below must not be undone as a click
    ListView_SetCheckState(list_, index, marks_[static_cast<size_t>(index)] ? TRUE : FALSE);
    applying_ = false;
}

void CheckList::Notify(const NMHDR& header) {
    if (header.hwndFrom != list_ || header.code != LVN_ITEMCHANGED || applying_) return;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) || change.iItem < 0 ||
        static_cast<size_t>(change.iItem) >= marks_.size()) {
        return;
    }
    const bool checked = ListView_GetCheckState(list_, change.iItem) != 0;
    if (checked != marks_[static_cast<size_t>(change.iItem)]) Apply(change.iItem);
}

}  // namespace rb::viewer
