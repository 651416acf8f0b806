// The windowing side of the program entry on Windows.
#pragma once

#include <windows.h>

#include "app/application_error.h"
#include "app/program.h"
#include "viewer/window_viewer_win32.h"

namespace rb {

class WindowsShell : public ProgramShell {
public:
    std::unique_ptr<TdmKestrinConnection> CreateConnection() override;
    InformationViewer& Viewer() override { return viewer_; }
    void BeginWait() override;
    void EndWait() override;
    void RunMainWindow(TdmKestrinConnection& module, bool processAtStart,
                       bool openedPackage) override;

private:
    HCURSOR previous_ = nullptr;
    viewer::WindowViewer viewer_{[](const std::exception& e) { ShowApplicationError(e); }};
};

}  // namespace rb
