#include "viewer/window_viewer_win32.h"

#include "viewer/overview_win32.h"

namespace rb::viewer {

void WindowViewer::ShowInformation(TMSystemInfo& info) {
    // Over the window that is active (the main window), or alone when there is none.
    TfrmSI_Overview form(GetActiveWindow());
    form.showError = showError_;
    form.ShowProcessButtons(false);
    form.SetSystemInfo(&info);
    form.FillPages();
    form.ShowModal();
    // The caller frees the inventory once this returns: the window forgets it first.
    form.SetSystemInfo(nullptr);
}

}  // namespace rb::viewer
