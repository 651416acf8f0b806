// A page of the report viewer's window, what every page shares, and how each page's window is
// made.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/string_list.h"
#include "sysinfo/msystem_info.h"
#include "viewer/control_ids_win32.h"
#include "viewer/controls_win32.h"
#include "viewer/overview_model.h"
#include "viewer/page_content.h"
#include "viewer/page_texts.h"

namespace rb::viewer {

class TfrmSI_Overview;

// One page of the viewer: builds its controls once, fills them from the inventory, handles
// its commands.
class ViewerPage {
public:
    virtual ~ViewerPage() = default;
    void Create(TfrmSI_Overview& owner, HWND parent, RECT bounds);
    HWND Window() const { return window_; }
    virtual void Fill(TMSystemInfo& info) = 0;
    virtual void Command(int id, int code) { (void)id, (void)code; }
    virtual void Notify(const NMHDR& header) { (void)header; }
    // Lets a page colour its static controls; nullptr: default colours.
    virtual HBRUSH StaticColour(HDC dc, HWND control) { (void)dc, (void)control; return nullptr; }

protected:
    virtual void Build(ColumnLayout& layout) = 0;
    // A panel inside the page whose controls' messages reach this page too.
    HWND Panel(HWND parent, RECT bounds);
    TfrmSI_Overview& Owner() const { return *owner_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

private:
    TfrmSI_Overview* owner_ = nullptr;
    HWND window_ = nullptr;
    int width_ = 0, height_ = 0;
};

// The pages' windows, each made by the file of its page.
std::unique_ptr<ViewerPage> MakeMachinePage();      // pages_machine_win32.cpp
std::unique_ptr<ViewerPage> MakeCPUPage();
std::unique_ptr<ViewerPage> MakeMemoryPage();
std::unique_ptr<ViewerPage> MakeDisplaysPage();
std::unique_ptr<ViewerPage> MakePowerPage();
std::unique_ptr<ViewerPage> MakeOSPage();           // pages_os_win32.cpp
std::unique_ptr<ViewerPage> MakeTimeZonePage();
std::unique_ptr<ViewerPage> MakeMediaPage();        // pages_peripherals_win32.cpp
std::unique_ptr<ViewerPage> MakeNetworkPage();
std::unique_ptr<ViewerPage> MakeDevicesPage();
std::unique_ptr<ViewerPage> MakePrintersPage();
std::unique_ptr<ViewerPage> MakeDisksPage();        // pages_disks_win32.cpp
std::unique_ptr<ViewerPage> MakeEnginesPage();      // pages_software_win32.cpp
std::unique_ptr<ViewerPage> MakeProcessesPage();
std::unique_ptr<ViewerPage> MakeStartupPage();
std::unique_ptr<ViewerPage> MakeSoftwarePage();
std::unique_ptr<ViewerPage> MakeProblemsPage();
std::unique_ptr<ViewerPage> MakeServicesPage();
std::unique_ptr<ViewerPage> MakePerformancePage();

// The window of page `page` (0 to kPageCount - 1), from the table of the pages' windows.
std::unique_ptr<ViewerPage> MakePageWindow(int page);

// Shared by the pages: a detail dialog in list mode with `rows`, or in check mode.
void ShowRowsDetail(TfrmSI_Overview& owner, const std::string& title,
                    const std::vector<Field>& rows);
void ShowChecksDetail(TfrmSI_Overview& owner, const std::string& title, const StringList& lines,
                      bool wholeLines);
// The user's thousand separator, for the pages that group numbers.
char ThousandSeparator();
// The column captions of a list, as the console names them too.
template <size_t N>
std::vector<std::string> Columns(const std::array<const char*, N>& captions) {
    return std::vector<std::string>(captions.begin(), captions.end());
}
// Lines as the rows of a one-column list.
Rows SingleColumn(const std::vector<std::string>& lines);
bool IsDoubleClick(const NMHDR& header, HWND control);

}  // namespace rb::viewer
