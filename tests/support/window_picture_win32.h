// The picture of one window as a person sees it, painted by the window and its children
// themselves into memory: never read from the screen, where another program's window may stand.
#pragma once

#include <windows.h>

#include "support/picture_checks.h"

namespace rb::test {

// A 32-bit memory picture of `width` x `height` that GDI paints into, released with this object.
class MemoryPicture {
public:
    MemoryPicture(int width, int height);
    ~MemoryPicture();
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;

    bool Valid() const { return dc_ && bitmap_ && bits_; }
    HDC Dc() const { return dc_; }
    Picture Pixels() const;

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

// The order windows paint in: the system's (a window before its children, children from the
// top one down), or with the children from the bottom one up, as when a lower one repaints
// alone after the others.
enum class PaintOrder { TopFirst, BottomFirst };

// `window` (frame included) and every visible window inside it, composed as the system shows
// them: each paints itself (WM_ERASEBKGND, WM_PRINTCLIENT) in turn, into the part of the
// picture the system would let it paint (its parents' client areas, less the siblings and
// children its clipping styles exclude). What no window paints stays black, as unpainted
// parts of a window show stale pixels. An empty picture when it cannot be taken.
Picture PrintedWindow(HWND window, PaintOrder order = PaintOrder::TopFirst);

// Where `screen` (a rectangle in screen coordinates) lies in the picture of `root`.
Box BoxIn(HWND root, const RECT& screen);

// A black window standing over `window` while it lives, as another program's window may stand
// on the screen; tests show with it that what they look at is their window's own picture.
class CoveringWindow {
public:
    explicit CoveringWindow(HWND window);
    ~CoveringWindow() { DestroyWindow(cover_); }
    CoveringWindow(const CoveringWindow&) = delete;
    CoveringWindow& operator=(const CoveringWindow&) = delete;
    HWND Handle() const { return cover_; }

private:
    HWND cover_ = nullptr;
};

// Draws the frame, caption and scroll bars of `window` into `dc`, whose origin is the window's
// top left corner, as the system draws them.
void DrawNonClient(HWND window, HDC dc);

}  // namespace rb::test
