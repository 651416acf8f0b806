// gdi32 and user32 questions about the screen: its device context's capabilities and the
// default display's modes.
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

}  // namespace

std::optional<int32_t> Win32Display::ScreenCapability(int index) {
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
