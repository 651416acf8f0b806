#include "app/ui_win32.h"

#include <vector>

#include "core/cp1252.h"
#include "app/application_error.h"

namespace rb::ui {

GdiObject MessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont.lfCharSet = ANSI_CHARSET;  // code page 1252: the Spanish letters
        if (HFONT font = ::CreateFontIndirectA(&metrics.lfMessageFont)) return GdiObject(font);
    }
    LOGFONTA stock{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
    return GdiObject(::CreateFontIndirectA(&stock));
}

// The texts go through the wide calls: the program's strings are CP1252 whatever the
// system's ANSI code page.
std::string ControlText(HWND control) {
    const int length = ::GetWindowTextLengthW(control);
    std::vector<wchar_t> buffer(size_t(length) + 1);
    const int got = ::GetWindowTextW(control, buffer.data(), length + 1);
    const std::u16string wide(buffer.begin(), buffer.begin() + got);
    return Utf16ToCp1252(wide);
}

void SetControlText(HWND control, const std::string& text) {
    const std::u16string wide = Cp1252ToUtf16(text);
    ::SetWindowTextW(control, reinterpret_cast<const wchar_t*>(wide.c_str()));
}

HINSTANCE Module() { return ::GetModuleHandleA(nullptr); }

void ShowCommandError(const std::exception& error) { ShowApplicationError(error); }

}  // namespace rb::ui
