#include "support/window_shot_win32.h"

#include <vector>

#include "support/png_file.h"

namespace rb::test {
namespace {

// A screen-compatible memory picture of `width` x `height`, released with this object.
class MemoryPicture {
public:
    MemoryPicture(int width, int height) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
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
    ~MemoryPicture() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;

    bool Valid() const { return dc_ && bitmap_ && bits_; }
    HDC Dc() const { return dc_; }

    std::vector<uint8_t> Rgb() const {
        GdiFlush();
        std::vector<uint8_t> rgb;
        rgb.reserve(size_t(width_) * height_ * 3);
        const auto* pixel = static_cast<const uint8_t*>(bits_);
        for (size_t i = 0; i < size_t(width_) * height_; ++i, pixel += 4) {
            rgb.insert(rgb.end(), {pixel[2], pixel[1], pixel[0]});  // BGRA in memory
        }
        return rgb;
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace

std::string ScreenshotFolder() { return RB_SCREENSHOT_DIR; }

std::string SaveWindowShot(HWND window, const std::string& name) {
    RECT frame{};
    if (!GetWindowRect(window, &frame)) return "";
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) return "";
    // Let the window and its children finish painting before the picture is taken.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MemoryPicture picture(width, height);
    if (!picture.Valid()) return "";
    // Copied from the screen, where Wine has composed the window with its children; a
    // window that cannot be copied that way paints itself.
    HDC screen = GetDC(nullptr);
    const BOOL copied =
        BitBlt(picture.Dc(), 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    if (!copied) PrintWindow(window, picture.Dc(), 0);
    const std::string path = ScreenshotFolder() + "/" + name + ".png";
    return WritePngFile(path, uint32_t(width), uint32_t(height), picture.Rgb()) ? path : "";
}

}  // namespace rb::test
