#include "support/window_shot_win32.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/window_picture_win32.h"

namespace rb::test {
namespace {

// A shown window with Spanish text comes out as a PNG file of the window's size, painted by
// the window itself: another window standing over it on the screen is not in the picture.
TEST(WindowShot, SavesTheWindowsOwnPictureAsPng) {
    HWND window = CreateWindowExA(0, "STATIC", "Información", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  10, 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "Aceptar", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                  100, 30, 80, 24, window, nullptr, nullptr, nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    const CoveringWindow cover(window);
    const std::string path = SaveWindowShot(window, "support-window-shot");
    const Picture picture = PrintedWindow(window);
    const std::vector<ControlSeen> controls = ControlsSeen(window);
    const std::string faults = CheckedWindowShot(window, "support-window-shot");
    RECT frame{};
    GetWindowRect(window, &frame);
    DestroyWindow(window);
    ASSERT_FALSE(path.empty());
    EXPECT_GT(std::filesystem::file_size(path), 100u);
    EXPECT_EQ(picture.width, frame.right - frame.left);
    EXPECT_EQ(picture.height, frame.bottom - frame.top);
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(controls[0].name, "button \"Aceptar\"");
    EXPECT_EQ(faults, "");
}

}  // namespace
}  // namespace rb::test
