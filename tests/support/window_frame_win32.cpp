// The parts of a window outside its client area (frame, caption, edges, scroll bars), drawn
// with the system's own drawing functions for them: windows paint those parts only on the
// screen, never into a picture they are given.
#include "support/window_picture_win32.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace rb::test {
namespace {

RECT InWindow(HWND window, RECT screen) {
    RECT frame{};
    GetWindowRect(window, &frame);
    OffsetRect(&screen, -frame.left, -frame.top);
    return screen;
}

struct ThemeCloser {
    void operator()(HTHEME theme) const { CloseThemeData(theme); }
};
using OwnedTheme = std::unique_ptr<std::remove_pointer_t<HTHEME>, ThemeCloser>;

// A shown scroll bar and its parts, in window coordinates.
struct ScrollBarParts {
    bool vertical = true;
    RECT bar{}, first{}, last{}, thumb{}, upper{}, lower{};
    bool firstOff = false, lastOff = false, barOff = false;
};

// The scroll bar `which` (OBJID_VSCROLL or OBJID_HSCROLL), when it is shown.
bool ReadScrollBar(HWND window, LONG which, ScrollBarParts& p) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (!GetScrollBarInfo(window, which, &info)) return false;
    if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) return false;
    p.vertical = which == OBJID_VSCROLL;
    p.bar = p.first = p.last = p.thumb = InWindow(window, info.rcScrollBar);
    if (p.bar.right <= p.bar.left || p.bar.bottom <= p.bar.top) return false;
    // States: 0 the bar, 1 and 5 its arrows, 3 the thumb.
    p.firstOff = info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE;
    p.lastOff = info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE;
    p.barOff = (info.rgstate[0] | info.rgstate[3]) & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE);
    // Arrows are square, smaller only where the bar is too short for two (dxyLineButton is
    // not reliable everywhere). Along the bar: "low" and "high" ends of each part.
    LONG& barLow = p.vertical ? p.bar.top : p.bar.left;
    LONG& barHigh = p.vertical ? p.bar.bottom : p.bar.right;
    const LONG thickness = p.vertical ? p.bar.right - p.bar.left : p.bar.bottom - p.bar.top;
    const LONG arrow = std::min(thickness, (barHigh - barLow) / 2);
    (p.vertical ? p.first.bottom : p.first.right) = barLow + arrow;
    (p.vertical ? p.last.top : p.last.left) = barHigh - arrow;
    (p.vertical ? p.thumb.top : p.thumb.left) = barLow + info.xyThumbTop;
    (p.vertical ? p.thumb.bottom : p.thumb.right) = barLow + info.xyThumbBottom;
    if (p.barOff || info.xyThumbBottom <= info.xyThumbTop) p.thumb = RECT{};
    p.upper = p.lower = p.bar;
    const bool thumb = !IsRectEmpty(&p.thumb);
    (p.vertical ? p.upper.top : p.upper.left) = barLow + arrow;
    (p.vertical ? p.upper.bottom : p.upper.right) =
        thumb ? (p.vertical ? p.thumb.top : p.thumb.left) : barHigh - arrow;
    (p.vertical ? p.lower.top : p.lower.left) =
        thumb ? (p.vertical ? p.thumb.bottom : p.thumb.right) : barHigh - arrow;
    (p.vertical ? p.lower.bottom : p.lower.right) = barHigh - arrow;
    return true;
}

void DrawClassicScrollBar(HWND window, HDC dc, const ScrollBarParts& p) {
    const auto track = reinterpret_cast<HBRUSH>(DefWindowProcA(
        window, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
    FillRect(dc, &p.bar, track ? track : GetSysColorBrush(COLOR_SCROLLBAR));
    RECT first = p.first, last = p.last, thumb = p.thumb;
    DrawFrameControl(dc, &first, DFC_SCROLL,
                     (p.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | (p.firstOff ? DFCS_INACTIVE : 0));
    DrawFrameControl(dc, &last, DFC_SCROLL,
                     (p.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | (p.lastOff ? DFCS_INACTIVE : 0));
    if (!IsRectEmpty(&thumb)) DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void DrawThemedScrollBar(HTHEME theme, HDC dc, const ScrollBarParts& p) {
    constexpr int kDisabled = ABS_UPDISABLED - ABS_UPNORMAL;
    const int first = (p.vertical ? ABS_UPNORMAL : ABS_LEFTNORMAL) + (p.firstOff ? kDisabled : 0);
    const int last = (p.vertical ? ABS_DOWNNORMAL : ABS_RIGHTNORMAL) + (p.lastOff ? kDisabled : 0);
    const int track = p.barOff ? SCRBS_DISABLED : SCRBS_NORMAL;
    DrawThemeBackground(theme, dc, SBP_ARROWBTN, first, &p.first, nullptr);
    DrawThemeBackground(theme, dc, SBP_ARROWBTN, last, &p.last, nullptr);
    if (!IsRectEmpty(&p.upper)) {
        DrawThemeBackground(theme, dc, p.vertical ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ, track,
                            &p.upper, nullptr);
    }
    if (!IsRectEmpty(&p.lower)) {
        DrawThemeBackground(theme, dc, p.vertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ, track,
                            &p.lower, nullptr);
    }
    if (IsRectEmpty(&p.thumb)) return;
    DrawThemeBackground(theme, dc, p.vertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, SCRBS_NORMAL,
                        &p.thumb, nullptr);
    const int gripper = p.vertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ;
    SIZE size{};
    if (FAILED(GetThemePartSize(theme, dc, gripper, SCRBS_NORMAL, nullptr, TS_TRUE, &size))) return;
    if (size.cx > p.thumb.right - p.thumb.left || size.cy > p.thumb.bottom - p.thumb.top) return;
    RECT grip{0, 0, size.cx, size.cy};
    OffsetRect(&grip, (p.thumb.left + p.thumb.right - size.cx) / 2,
               (p.thumb.top + p.thumb.bottom - size.cy) / 2);
    DrawThemeBackground(theme, dc, gripper, SCRBS_NORMAL, &grip, nullptr);
}

// The shown scroll bars, as the window's theme draws them when one is active.
std::vector<ScrollBarParts> ScrollBars(HWND window) {
    std::vector<ScrollBarParts> bars;
    for (LONG which : {OBJID_VSCROLL, OBJID_HSCROLL}) {
        ScrollBarParts parts;
        if (ReadScrollBar(window, which, parts)) bars.push_back(parts);
    }
    return bars;
}

void DrawScrollBars(HWND window, HDC dc, const std::vector<ScrollBarParts>& bars) {
    // Opened for no window: a theme opened for a window becomes that window's own theme.
    const OwnedTheme theme(IsThemeActive() ? OpenThemeData(nullptr, L"Scrollbar") : nullptr);
    for (const ScrollBarParts& p : bars) {
        if (theme) {
            DrawThemedScrollBar(theme.get(), dc, p);
        } else {
            DrawClassicScrollBar(window, dc, p);
        }
    }
    if (bars.size() == 2) {  // the corner between them
        const RECT corner{bars[0].bar.left, bars[1].bar.top, bars[0].bar.right, bars[1].bar.bottom};
        FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
}

// The sunken edge whose outside is `outside`, around the client area and scroll bars: themed
// when the window has a theme, as the controls draw it.
void DrawClientEdge(HWND window, HDC dc, RECT outside, LONG style) {
    if (HTHEME theme = GetWindowTheme(window)) {
        char cls[16] = {};
        GetClassNameA(window, cls, sizeof(cls));
        const bool edit = lstrcmpiA(cls, "Edit") == 0;
        const int state = (style & WS_DISABLED) ? ETS_DISABLED : (style & ES_READONLY) ? ETS_READONLY : ETS_NORMAL;
        DrawThemeBackground(theme, dc, edit ? EP_EDITTEXT : 0, edit ? state : 0, &outside, nullptr);
        return;
    }
    DrawEdge(dc, &outside, EDGE_SUNKEN, BF_RECT);
}

// A caption button: its glyph, inside the raised edge the frame gives it.
void DrawCaptionButton(HDC dc, RECT button, UINT glyph, bool enabled) {
    DrawFrameControl(dc, &button, DFC_CAPTION, glyph | (enabled ? 0 : DFCS_INACTIVE));
    DrawEdge(dc, &button, EDGE_RAISED, BF_RECT);
}

void DrawCaptionBar(HWND window, HDC dc, RECT caption, LONG style, LONG exStyle) {
    const bool icon = (style & WS_SYSMENU) && !(exStyle & WS_EX_DLGMODALFRAME);
    // Always as the active window: whether it is depends on what else runs meanwhile.
    DrawCaption(window, dc, &caption, DC_ACTIVE | DC_TEXT | DC_GRADIENT | (icon ? DC_ICON : 0));
    if (!(style & WS_SYSMENU)) return;
    const int width = GetSystemMetrics(SM_CXSIZE) - 2, height = GetSystemMetrics(SM_CYSIZE) - 4;
    RECT button{caption.right - 2 - width, caption.top + 2, caption.right - 2, caption.top + 2 + height};
    DrawCaptionButton(dc, button, DFCS_CAPTIONCLOSE, true);
    if (!(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) return;
    OffsetRect(&button, -width - 2, 0);
    DrawCaptionButton(dc, button, DFCS_CAPTIONMAX, (style & WS_MAXIMIZEBOX) != 0);
    OffsetRect(&button, -width, 0);
    DrawCaptionButton(dc, button, DFCS_CAPTIONMIN, (style & WS_MINIMIZEBOX) != 0);
}

}  // namespace

void DrawNonClient(HWND window, HDC dc) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    RECT outer{};
    GetWindowRect(window, &outer);
    OffsetRect(&outer, -outer.left, -outer.top);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    client = InWindow(window, client);

    // From the client area outwards: scroll bars, the client edge, then the frame and caption
    // in what is left.
    const bool framed = (style & (WS_THICKFRAME | WS_DLGFRAME)) || (exStyle & WS_EX_DLGMODALFRAME);
    if (framed) FillRect(dc, &outer, GetSysColorBrush(COLOR_BTNFACE));
    const std::vector<ScrollBarParts> bars = ScrollBars(window);
    RECT inner = client;
    for (const ScrollBarParts& p : bars) UnionRect(&inner, &inner, &p.bar);
    if (exStyle & WS_EX_CLIENTEDGE) {
        InflateRect(&inner, GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
        DrawClientEdge(window, dc, inner, style);
    } else if (exStyle & WS_EX_STATICEDGE) {
        InflateRect(&inner, GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
        RECT edge = inner;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    DrawScrollBars(window, dc, bars);
    if (framed) {
        RECT edge = outer;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_ADJUST);
        // A sizing frame is wider by a border of its own colour.
        const int sizing = GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXDLGFRAME);
        for (int i = 0; i < sizing && (style & WS_THICKFRAME); ++i) {
            FrameRect(dc, &edge, GetSysColorBrush(COLOR_ACTIVEBORDER));
            InflateRect(&edge, -1, -1);
        }
    } else if (style & WS_BORDER) {
        FrameRect(dc, &outer, GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
        const int side = inner.left - outer.left;  // the frame is as thick at the top
        const RECT caption{inner.left, outer.top + side, inner.right, inner.top - 1};
        if (caption.bottom > caption.top) DrawCaptionBar(window, dc, caption, style, exStyle);
    }
}

}  // namespace rb::test
