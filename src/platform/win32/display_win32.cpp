// gdi32 and user32 questions about the screen: its device context's capabilities (in the
// screen's own pixels, whatever the display scaling) and the default display's modes.
#include <windows.h>

#include "platform/win32/platform_win32.h"

namespace rb::platform {
namespace {

// The screen's device context, released with the window it belongs to (none: the screen).
class ScreenDC {
public:
    ScreenDC() : dc_(::GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_) ::ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

using SetDpiContextFn = HANDLE(WINAPI*)(HANDLE);

// The thread asks as a program aware of each monitor's scale does (Windows 10 1607 and later),
// so that under display scaling the screen answers in its own pixels and dots per inch rather
// than the scaled ones an unaware program is told; the windows keep their look, and the
// thread's awareness comes back when the object goes.
class PhysicalDpiScope {
public:
    PhysicalDpiScope()
        : set_(win32::SystemEntry<SetDpiContextFn>("user32.dll", "SetThreadDpiAwarenessContext")) {
        if (!set_) return;
        // Per monitor (second version), per monitor, system: the first this system knows.
        for (const intptr_t context : {-4, -3, -2}) {
            previous_ = set_(reinterpret_cast<HANDLE>(context));
            if (previous_) return;
        }
    }
    ~PhysicalDpiScope() {
        if (previous_) set_(previous_);
    }
    PhysicalDpiScope(const PhysicalDpiScope&) = delete;
    PhysicalDpiScope& operator=(const PhysicalDpiScope&) = delete;

private:
    SetDpiContextFn set_;
    HANDLE previous_ = nullptr;
};

}  // namespace

std::optional<int32_t> Win32Display::ScreenCapability(int index) {
    const PhysicalDpiScope physical;
    const ScreenDC dc;
    if (!dc.Get()) return std::nullopt;
    return ::GetDeviceCaps(dc.Get(), index);
}

std::optional<DisplayMode> Win32Display::Mode(uint32_t number) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!::EnumDisplaySettingsA(nullptr, number, &mode)) return std::nullopt;
    return DisplayMode{mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel,
                       mode.dmDisplayFrequency};
}

}  // namespace rb::platform
