// The main window's painting: the picture buttons and panel 0 of the status bar.
#include "app/main_window_win32.h"

#include <commctrl.h>

#include <string>

#include "app/app_resources.h"
#include "core/cp1252.h"

namespace rb {
namespace {

// A screen-compatible picture to paint a window's image into, released with this object.
class MemoryCanvas {
public:
    MemoryCanvas(HDC like, int width, int height)
        : dc_(::CreateCompatibleDC(like)), bitmap_(::CreateCompatibleBitmap(like, width, height)) {
        if (dc_ && bitmap_) old_ = ::SelectObject(dc_, bitmap_);
    }
    ~MemoryCanvas() {
        if (old_) ::SelectObject(dc_, old_);
        if (bitmap_) ::DeleteObject(bitmap_);
        if (dc_) ::DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    bool Valid() const { return old_ != nullptr; }
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace

// A push button's frame, its picture on the left and the caption in the rest; greyed when
// disabled, with the focus rectangle when focused.
void MainWindow::DrawButton(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool pushed = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & ODS_DISABLED;
    ::DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int shift = pushed ? 1 : 0;
    const size_t index = item.CtlID == IDC_MAIN_PROC ? 0 : item.CtlID == IDC_MAIN_SHOW ? 1 : 2;
    const int pictureX = area.left + 10 + shift;
    const int pictureY = (area.top + area.bottom - 32) / 2 + shift;
    if (pictures_[index]) {
        ::DrawStateW(dc, nullptr, nullptr, LPARAM(pictures_[index].Get()), 0, pictureX, pictureY,
                     32, 32, DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
    }
    const std::u16string caption = Cp1252ToUtf16(ui::ControlText(item.hwndItem));
    RECT text{pictureX + 32 + 4, area.top + shift, area.right - 4 + shift, area.bottom + shift};
    const HGDIOBJ oldFont = ::SelectObject(dc, font_.Get());
    ::SetBkMode(dc, TRANSPARENT);
    const auto* wide = reinterpret_cast<const wchar_t*>(caption.c_str());
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (disabled) {
        // Engraved, as the system shows a disabled caption.
        OffsetRect(&text, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextW(dc, wide, -1, &text, format);
        OffsetRect(&text, -1, -1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    } else {
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    }
    ::DrawTextW(dc, wide, -1, &text, format);
    ::SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = area;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(dc, &focus);
    }
}

// Panel 0 while Drawing: the hidden progress bar's current image, inset by one pixel. Nothing
// otherwise (the status bar has already erased the panel).
void MainWindow::StatusBarDrawPanel(const DRAWITEMSTRUCT& item) {
    if (item.itemID != 0 || !form_.Drawing()) return;
    RECT frame{};
    ::GetWindowRect(progressBar_, &frame);
    const RECT bar{0, 0, frame.right - frame.left, frame.bottom - frame.top};
    MemoryCanvas canvas(item.hDC, bar.right, bar.bottom);
    if (!canvas.Valid()) return;
    ::SendMessageA(progressBar_, WM_PRINT, WPARAM(canvas.Dc()),
                   PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    ::BitBlt(item.hDC, item.rcItem.left + 1, item.rcItem.top + 1, bar.right, bar.bottom,
             canvas.Dc(), 0, 0, SRCCOPY);
}

}  // namespace rb
