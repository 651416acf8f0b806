#include "support/window_shot_win32.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace rb::test {
namespace {

// A shown window with Spanish text comes out as a PNG file of the window's size.
TEST(WindowShot, SavesAShownWindowAsPng) {
    HWND window = CreateWindowExA(0, "STATIC", "Información", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  10, 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const std::string path = SaveWindowShot(window, "support-window-shot");
    DestroyWindow(window);
    ASSERT_FALSE(path.empty());
    EXPECT_GT(std::filesystem::file_size(path), 100u);
}

}  // namespace
}  // namespace rb::test
