#include "app/windows_shell_win32.h"

#include "app/main_window_win32.h"
#include "connection/connection_module.h"
#include "core/exception.h"

namespace rb {

std::unique_ptr<TdmKestrinConnection> WindowsShell::CreateConnection() {
    return std::make_unique<TdmKestrinConnection>();
}

void WindowsShell::BeginWait() { previous_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }

void WindowsShell::EndWait() { SetCursor(previous_); }

void WindowsShell::RunMainWindow(TdmKestrinConnection& module, bool processAtStart,
                                 bool openedPackage) {
    MainWindow window(module);
    if (!window.Handle()) throw Exception("No se pudo crear la ventana principal");
    // A request file asked for a collection: it runs before the message loop starts.
    if (processAtStart) window.Form().Process();
    if (openedPackage) window.Form().PackageLoaded();
    window.RunMessageLoop();
}

}  // namespace rb
