// The report viewer's window: one tabbed page per section of an inventory, the report menu, and
// the detail dialogs its pages open.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/string_list.h"
#include "sysinfo/msystem_info.h"
#include "viewer/controls_win32.h"
#include "viewer/detail_dialog_win32.h"
#include "viewer/overview_model.h"

namespace rb::viewer {

class TfrmSI_Overview;

// Control identifiers, unique in the viewer (tests find the controls by them).
enum ViewerControl : int {
    // Bottom bar.
    btnReport = 2200, btnReprocess, btnClose = IDOK, tabPages = 2203,
    // Page 0.
    edtMachineName = 2210, edtUser, edtBIOSName, edtBIOSCopyright, edtBIOSDate, edtBIOSExtended,
    edtLastBoot, edtUpTime, pnlNumLock, pnlCapsLock, pnlScrollLock,
    // Page 1.
    lblOSVersion = 2230, lblOSNumbers, lblServicePack, edtProductID, edtRegUser, edtRegOrg,
    edtProductKey, lblDVD, btnPackages, tabOSLists, lvFolders, lvEnvironment, lvRegional,
    // Page 2.
    lblCPUHeading = 2250, tabCPU, lblCPUModel, lblCPUSerial, lblCPUVendor, lblCPUTransistors,
    lblCPUCodeName, lblCacheL1Data, lblCacheL1Code, lblCacheLevel1, lblCacheLevel2, lvFeatures,
    // Page 3.
    edtPhysTotal = 2270, edtPhysFree, edtPageTotal, edtPageFree, edtVirtTotal, edtVirtFree,
    pbMemoryLoad, edtGranularity, edtAppRange, edtPageSize,
    // Page 4.
    cbDisplays = 2290, edtChipset, edtDAC, edtDisplayMemory, lblDisplayBIOS, lblTechnology,
    lblMetrics, lblPixelWidth, lblPixelHeight, lblPixelDiagonal, lblFontResolution,
    btnModes, btnCurve, btnLine, btnPolygon, btnRaster, btnText,
    // Page 5.
    edtACLine = 2320, edtCharge, edtFullTime, edtLifeTime, pbBattery,
    // Page 6.
    lvAvailableDevices = 2330, lvSoundDevices, btnMediaProperties,
    // Page 7.
    lvAdapters = 2340, lvIPAddresses, lvMACAddresses, edtWinsockDescription, edtWinsockVersion,
    edtWinsockStatus, btnProtocols, btnServices, btnClients,
    // Page 8.
    tvDevices = 2360, btnDeviceProperties,
    // Page 9.
    lvPrinters = 2370, btnPrinterProperties,
    // Page 10.
    lblODBC = 2380, lblBDE, lblDAO, lblADO, lblDirectX, lvDirectX,
    // Page 11.
    cbDisks = 2390, icoDisk, lblDiskKind, edtUNC, edtSerial, lblCapacity, lblFreeSpace, pbDiskUsed,
    lblBytesPerSector, lblSectorsPerCluster, lblFreeClusters, lblTotalClusters, lvDiskFlags,
    // Page 12.
    edtZoneName = 2410, grpStandard, edtStandardStart, edtStandardBias, grpDaylight,
    edtDaylightStart, edtDaylightBias, boxWorldMap, imgWorldMap,
    // Page 13.
    lvProcesses = 2430, lblProcessCount, btnKillProcess, btnProcessProperties,
    // Page 14.
    tabStartup = 2440, lvStartup, btnStartupInfo,
    // Pages 15 to 18.
    lvSoftware = 2450, lvProblems = 2460, lvServices = 2470, btnServiceProperties,
    lvPerformance = 2480,
};

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

private:
    TfrmSI_Overview* owner_ = nullptr;
    HWND window_ = nullptr;
    int width_ = 0, height_ = 0;
};

class TfrmSI_Overview {
public:
    // FormCreate: the window and every page, all pages selected, "Computadora" active.
    explicit TfrmSI_Overview(HWND owner = nullptr);
    ~TfrmSI_Overview();
    TfrmSI_Overview(const TfrmSI_Overview&) = delete;
    TfrmSI_Overview& operator=(const TfrmSI_Overview&) = delete;

    // Remembers the inventory (not owned; nullptr forgets it) and selects its pages.
    void SetSystemInfo(TMSystemInfo* info);
    void ShowProcessButtons(bool show);
    // Fills every selected page (hourglass meanwhile); errors reach the caller.
    void FillPages();
    void ShowModal();

    // The report menu's commands.
    void ReportAllClick();
    void ReportTopicClick();

    // Seams: how a detail dialog is shown (modally) and where a report is saved (the save
    // dialog; nullopt when the user cancels). Tests replace them.
    std::function<void(TdlgSI_Detail&)> showDetail;
    std::function<std::optional<std::string>(const std::string& fileName)> askSaveFile;

    // Reading back.
    HWND Window() const { return window_.get(); }
    HWND Control(int id) const;
    int ActivePage() const { return active_; }
    void SelectPage(int page);
    std::vector<int> VisiblePages() const;
    std::string TabCaption(int page) const { return captions_[static_cast<size_t>(page)]; }
    HWND PageWindow(int page) const { return pages_[static_cast<size_t>(page)]->Window(); }

    // For the pages.
    TMSystemInfo& Info() const;
    HFONT Font() const { return font_.get(); }
    void SetTabCaption(int page, const std::string& caption);
    void ShowDetail(TdlgSI_Detail& dialog);
    // Runs a command; an error goes to the application's error box.
    void Guarded(const std::function<void()>& command);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void ApplyPageMask(TProcessPages mask);
    void SetTabVisible(int page, bool visible);
    void RebuildTabs();
    void ShowActivePage();
    void ReportMenu();
    void SaveReport(const std::string& fileName, const std::function<void()>& fill);

    OwnedFont font_;
    OwnedWindow window_;
    HWND tabs_ = nullptr;
    std::array<std::unique_ptr<ViewerPage>, kPageCount> pages_;
    std::array<std::string, kPageCount> captions_;
    std::array<bool, kPageCount> visible_{};
    TProcessPages mask_;
    int active_ = 0;
    TMSystemInfo* info_ = nullptr;
    StringList report_;
    bool done_ = false;
};

// The pages, made by the page files.
std::unique_ptr<ViewerPage> MakeSystemPage(int page);    // pages 0 to 5
std::unique_ptr<ViewerPage> MakeHardwarePage(int page);  // pages 6 to 12
std::unique_ptr<ViewerPage> MakeListPage(int page);      // pages 13 to 18

// Shared by the pages: a detail dialog in list mode with `rows`, or in check mode.
void ShowRowsDetail(TfrmSI_Overview& owner, const std::string& title,
                    const std::vector<Field>& rows);
void ShowChecksDetail(TfrmSI_Overview& owner, const std::string& title, const StringList& lines,
                      bool wholeLines);

}  // namespace rb::viewer
