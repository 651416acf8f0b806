#include "app/windows_shell_win32.h"

#include "connection/connection_module.h"

namespace rb {

std::unique_ptr<TdmKestrinConnection> WindowsShell::CreateConnection() {
    return std::make_unique<TdmKestrinConnection>();
}

void WindowsShell::BeginWait() { previous_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }

void WindowsShell::EndWait() { SetCursor(previous_); }

void WindowsShell::RunMainWindow(TdmKestrinConnection&, bool, bool) {
    // The main window is not built yet: the interactive run ends here.
}

}  // namespace rb
