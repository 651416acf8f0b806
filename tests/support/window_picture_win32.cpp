#include "support/window_picture_win32.h"

#include <memory>

namespace rb::test {
namespace {

struct RegionDeleter {
    void operator()(HRGN region) const { DeleteObject(region); }
};
using OwnedRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, RegionDeleter>;

OwnedRegion RectRegion(const RECT& r) { return OwnedRegion(CreateRectRgnIndirect(&r)); }

void Combine(HRGN region, const RECT& r, int mode) {
    const OwnedRegion other = RectRegion(r);
    CombineRgn(region, region, other.get(), mode);
}

bool Shown(HWND window) { return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT RectIn(HWND root, RECT r) {
    RECT frame{};
    GetWindowRect(root, &frame);
    OffsetRect(&r, -frame.left, -frame.top);
    return r;
}

RECT WindowRectIn(HWND root, HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return RectIn(root, r);
}

RECT ClientRectIn(HWND root, HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return RectIn(root, r);
}

// Takes out of `region` the shown children of `parent` that stand above `last` (all of them
// when `last` is null). Transparent windows are not taken out: the system does not clip them.
void ClipChildren(HWND root, HWND parent, HWND last, HRGN region) {
    for (HWND c = GetWindow(parent, GW_CHILD); c && c != last; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!Shown(c) || (GetWindowLongPtrA(c, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) continue;
        Combine(region, WindowRectIn(root, c), RGN_DIFF);
    }
}

// Where the system lets `window` paint, in the picture of `root`: its rectangle inside its
// parents' client areas, less the siblings above it (and above each parent) that
// WS_CLIPSIBLINGS keeps out.
OwnedRegion PaintableRegion(HWND root, HWND window) {
    OwnedRegion region = RectRegion(WindowRectIn(root, window));
    for (HWND w = window; w != root;) {
        HWND parent = GetAncestor(w, GA_PARENT);
        if (!parent) break;
        if (GetWindowLongPtrA(w, GWL_STYLE) & WS_CLIPSIBLINGS) {
            ClipChildren(root, parent, w, region.get());
        }
        Combine(region.get(), ClientRectIn(root, parent), RGN_AND);
        w = parent;
    }
    return region;
}

bool IsEmpty(HRGN region) {
    RECT box{};
    return GetRgnBox(region, &box) == NULLREGION;
}

// The client area: the window erases and paints it into a copy of what lies below, which
// goes back where it may paint.
void PaintClient(HWND root, HWND window, HRGN region, HDC picture) {
    const RECT client = ClientRectIn(root, window);
    const OwnedRegion paintable = RectRegion(client);
    CombineRgn(paintable.get(), paintable.get(), region, RGN_AND);
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_CLIPCHILDREN) {
        ClipChildren(root, window, nullptr, paintable.get());
    }
    if (IsEmpty(paintable.get())) return;
    const int width = client.right - client.left, height = client.bottom - client.top;
    MemoryPicture own(width, height);
    if (!own.Valid()) return;
    BitBlt(own.Dc(), 0, 0, width, height, picture, client.left, client.top, SRCCOPY);
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(own.Dc()), 0);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(own.Dc()), PRF_CLIENT);
    SelectClipRgn(picture, paintable.get());
    BitBlt(picture, client.left, client.top, width, height, own.Dc(), 0, 0, SRCCOPY);
    SelectClipRgn(picture, nullptr);
}

void PaintFrame(HWND root, HWND window, HRGN region, HDC picture) {
    const OwnedRegion frame = RectRegion(ClientRectIn(root, window));
    CombineRgn(frame.get(), region, frame.get(), RGN_DIFF);
    if (IsEmpty(frame.get())) return;
    const RECT r = WindowRectIn(root, window);
    SelectClipRgn(picture, frame.get());
    POINT old{};
    SetViewportOrgEx(picture, r.left, r.top, &old);
    DrawNonClient(window, picture);
    SetViewportOrgEx(picture, old.x, old.y, nullptr);
    SelectClipRgn(picture, nullptr);
}

// A window before its children.
void Paint(HWND root, HWND window, HDC picture, PaintOrder order) {
    const OwnedRegion region = PaintableRegion(root, window);
    if (!IsEmpty(region.get())) {
        PaintFrame(root, window, region.get(), picture);
        PaintClient(root, window, region.get(), picture);
    }
    const bool topFirst = order == PaintOrder::TopFirst;
    HWND c = GetWindow(window, GW_CHILD);
    if (c && !topFirst) c = GetWindow(c, GW_HWNDLAST);
    for (; c; c = GetWindow(c, topFirst ? GW_HWNDNEXT : GW_HWNDPREV)) {
        if (Shown(c)) Paint(root, c, picture, order);
    }
}

}  // namespace

MemoryPicture::MemoryPicture(int width, int height) : width_(width), height_(height) {
    HDC screen = GetDC(nullptr);  // only to make a compatible memory DC; nothing is read
    dc_ = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (bitmap_) old_ = SelectObject(dc_, bitmap_);
}

MemoryPicture::~MemoryPicture() {
    if (old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
}

Picture MemoryPicture::Pixels() const {
    GdiFlush();
    Picture picture;
    picture.width = width_;
    picture.height = height_;
    picture.rgb.reserve(size_t(width_) * size_t(height_) * 3);
    const auto* pixel = static_cast<const uint8_t*>(bits_);
    for (size_t i = 0; i < size_t(width_) * size_t(height_); ++i, pixel += 4) {
        picture.rgb.insert(picture.rgb.end(), {pixel[2], pixel[1], pixel[0]});  // BGRA
    }
    return picture;
}

Picture PrintedWindow(HWND window, PaintOrder order) {
    RECT frame{};
    if (!GetWindowRect(window, &frame)) return {};
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) return {};
    MemoryPicture picture(width, height);  // all black: what nobody paints
    if (!picture.Valid()) return {};
    Paint(window, window, picture.Dc(), order);
    return picture.Pixels();
}

CoveringWindow::CoveringWindow(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    cover_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "STATIC", "",
                             WS_POPUP | WS_VISIBLE | SS_BLACKRECT, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(cover_);
}

Box BoxIn(HWND root, const RECT& screen) {
    const RECT r = RectIn(root, screen);
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace rb::test
