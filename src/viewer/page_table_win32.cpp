// The table of the pages' windows: one row a page, in tab order.
#include "viewer/viewer_page_win32.h"

namespace rb::viewer {

namespace {

using P = TProcessPage;

struct PageWindow {
    TProcessPage member;  // the section shown, as in kPages
    std::unique_ptr<ViewerPage> (*make)();
};

constexpr std::array<PageWindow, kPageCount> kPageWindows = {{
    {P::pgWksta, MakeMachinePage},
    {P::pgOS, MakeOSPage},
    {P::pgCPU, MakeCPUPage},
    {P::pgMem, MakeMemoryPage},
    {P::pgDisplay, MakeDisplaysPage},
    {P::pgAPM, MakePowerPage},
    {P::pgMedia, MakeMediaPage},
    {P::pgNet, MakeNetworkPage},
    {P::pgDev, MakeDevicesPage},
    {P::pgPrn, MakePrintersPage},
    {P::pgEng, MakeEnginesPage},
    {P::pgDisk, MakeDisksPage},
    {P::pgTimeZone, MakeTimeZonePage},
    {P::pgProcs, MakeProcessesPage},
    {P::pgStartup, MakeStartupPage},
    {P::pgSoftware, MakeSoftwarePage},
    {P::pgProblems, MakeProblemsPage},
    {P::pgServices, MakeServicesPage},
    {P::pgPerformance, MakePerformancePage},
}};

constexpr bool FollowsThePages() {
    for (size_t p = 0; p < kPageCount; ++p) {
        if (kPageWindows[p].member != kPages[p].member || !kPageWindows[p].make) return false;
    }
    return true;
}
static_assert(FollowsThePages(), "one window a page, in the order of kPages");

}  // namespace

std::unique_ptr<ViewerPage> MakePageWindow(int page) {
    return kPageWindows.at(static_cast<size_t>(page)).make();
}

}  // namespace rb::viewer
