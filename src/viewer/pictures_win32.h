// Pictures of the viewer, made at run time: shell icons and the world map.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <vector>

#include "viewer/controls_win32.h"
#include "viewer/page_texts.h"

namespace rb::viewer {

// The world is kWorldWidth pixels wide (14.8 pixels per hour); the map holds it twice, the
// meridian of a zone showing kWorldMapOffset pixels from the box's left edge once the map is
// moved to its zone's position.
constexpr int kWorldWidth = 355;
constexpr int kWorldMapOffset = 177;
constexpr int kWorldMapWidth = 2 * kWorldWidth + 20;
HWND CreateWorldMap(HWND parent, int height, int id);

// A small icon of "%systemroot%\system32\shell32.dll" (the application icon when missing).
HICON ShellIcon(int index);
// An image list of small shell icons, in the order given; marked ones carry a tick (the
// "default" variant).
OwnedImageList ShellImageList(const std::vector<ShellIconChoice>& icons);
template <size_t N>
OwnedImageList ShellImageList(const std::array<ShellIconChoice, N>& icons) {
    return ShellImageList(std::vector<ShellIconChoice>(icons.begin(), icons.end()));
}

}  // namespace rb::viewer
