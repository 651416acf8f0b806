// The viewer's pictures: icons from the system's shell icon library, the "default" variant of
// an icon, and the world map of the time-zone page, drawn at run time.
#include "viewer/pictures_win32.h"

#include <shellapi.h>

#include <cmath>
#include <map>

namespace rb::viewer {

namespace {

struct Point {
    short lon, lat;
};
// Coasts reduced to a few points each (degrees).
const Point kNorthAmerica[] = {{-168, 65}, {-140, 70}, {-95, 72}, {-80, 63}, {-60, 55},
                               {-65, 45},  {-75, 35},  {-81, 25}, {-97, 18}, {-83, 9},
                               {-105, 20}, {-117, 32}, {-125, 48}, {-135, 58}, {-150, 60},
                               {-165, 60}};
const Point kSouthAmerica[] = {{-80, 10}, {-62, 10},  {-50, 0},   {-35, -7}, {-40, -22},
                               {-58, -38}, {-68, -55}, {-75, -45}, {-72, -20}, {-80, -5}};
const Point kEurasia[] = {{-10, 36}, {-9, 44},  {-2, 48},   {5, 52},   {10, 58},  {20, 70},
                          {40, 68},  {70, 73},  {100, 77},  {140, 72}, {170, 68}, {179, 65},
                          {160, 58}, {140, 50}, {130, 40},  {122, 30}, {110, 20}, {105, 10},
                          {100, 5},  {95, 15},  {80, 8},    {72, 20},  {60, 25},  {50, 30},
                          {35, 30},  {30, 40},  {20, 40},   {10, 44},  {3, 42}};
const Point kAfrica[] = {{-17, 15}, {-10, 30}, {0, 36},   {10, 37},  {32, 31}, {43, 12}, {51, 11},
                         {40, -15}, {35, -25}, {20, -35}, {12, -17}, {9, 4},   {-8, 5}};
const Point kAustralia[] = {{114, -22}, {130, -12}, {142, -11}, {153, -27},
                            {146, -39}, {135, -35}, {115, -34}};
const Point kGreenland[] = {{-55, 60}, {-45, 82}, {-20, 80}, {-22, 70}, {-42, 60}};

struct Coast {
    const Point* points;
    int count;
};
const Coast kCoasts[] = {{kNorthAmerica, int(std::size(kNorthAmerica))},
                         {kSouthAmerica, int(std::size(kSouthAmerica))},
                         {kEurasia, int(std::size(kEurasia))},
                         {kAfrica, int(std::size(kAfrica))},
                         {kAustralia, int(std::size(kAustralia))},
                         {kGreenland, int(std::size(kGreenland))}};

// x of a longitude in one copy of the world starting at `origin`.
int MapX(double lon, int origin) {
    return origin + static_cast<int>(std::lround((lon + 180.0) * kWorldWidth / 360.0));
}

void PaintMap(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    const int height = client.bottom;
    OwnedBrush sea(CreateSolidBrush(RGB(176, 208, 240)));
    FillRect(dc, &client, sea.get());
    OwnedBrush land(CreateSolidBrush(RGB(120, 176, 96)));
    auto* oldBrush = SelectObject(dc, land.get());
    auto* oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    // Three copies, so that every position of the map in its box shows land.
    for (int copy = -1; copy <= 1; ++copy) {
        const int origin = kWorldMapOffset + copy * kWorldWidth;
        for (const Coast& coast : kCoasts) {
            POINT pts[32];
            for (int i = 0; i < coast.count; ++i) {
                pts[i].x = MapX(coast.points[i].lon, origin);
                pts[i].y = static_cast<int>((90 - coast.points[i].lat) * height / 180);
            }
            Polygon(dc, pts, coast.count);
        }
    }
    // One meridian per hour.
    HPEN grid = CreatePen(PS_DOT, 1, RGB(96, 128, 160));
    SelectObject(dc, grid);
    SetBkMode(dc, TRANSPARENT);
    for (int x = kWorldMapOffset % (kWorldWidth / 24); x < client.right;
         x = x + kWorldWidth / 24) {
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, height);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(grid);
}

// Painted on the screen and, like the system's controls, into a picture it is given.
LRESULT CALLBACK MapProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintMap(window, dc);
        EndPaint(window, &ps);
        return 0;
    }
    if (msg == WM_PRINTCLIENT) {
        PaintMap(window, reinterpret_cast<HDC>(wp));
        return 0;
    }
    return DefWindowProcA(window, msg, wp, lp);
}

}  // namespace

HWND CreateWorldMap(HWND parent, int height, int id) {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = MapProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "rbWorldMap";
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExA(0, "rbWorldMap", "", WS_CHILD | WS_VISIBLE, 0, 0, kWorldMapWidth,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

HICON ShellIcon(int index) {
    char path[MAX_PATH] = {};
    ExpandEnvironmentStringsA("%systemroot%\\system32\\shell32.dll", path, MAX_PATH);
    HICON small = nullptr;
    if (ExtractIconExA(path, index, nullptr, &small, 1) == 0 || !small) {
        return CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    }
    return small;
}

void AddIcon(HIMAGELIST list, HICON icon, bool defaultMark) {
    if (!defaultMark) {
        ImageList_AddIcon(list, icon);
        return;
    }
    // The icon with a green tick in its lower right corner.
    const int size = GetSystemMetrics(SM_CXSMICON);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    auto* old = SelectObject(dc, bitmap);
    RECT all{0, 0, size, size};
    OwnedBrush key(CreateSolidBrush(RGB(255, 0, 255)));
    FillRect(dc, &all, key.get());
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 160, 0));
    auto* oldPen = SelectObject(dc, pen);
    const POINT tick[] = {{size - 8, size - 5}, {size - 6, size - 2}, {size - 1, size - 9}};
    Polyline(dc, tick, 3);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_AddMasked(list, bitmap, RGB(255, 0, 255));
    DeleteObject(bitmap);
}

OwnedImageList ShellImageList(const std::vector<ShellIconChoice>& icons) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    OwnedImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK,
                                         static_cast<int>(icons.size()), 1));
    // Each icon is read from the library once (reading is slow).
    std::map<int, HICON> read;
    for (const ShellIconChoice& choice : icons) {
        HICON& icon = read[choice.index];
        if (!icon) icon = ShellIcon(choice.index);
        AddIcon(list.get(), icon, choice.marked);
    }
    for (const auto& entry : read) DestroyIcon(entry.second);
    return list;
}

}  // namespace rb::viewer
