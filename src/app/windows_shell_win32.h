// The windowing side of the program entry on Windows.
#pragma once

#include <windows.h>

#include "app/program.h"

namespace rb {

class WindowsShell : public ProgramShell {
public:
    std::unique_ptr<TdmKestrinConnection> CreateConnection() override;
    void BeginWait() override;
    void EndWait() override;
    void RunMainWindow(TdmKestrinConnection& module, bool processAtStart,
                       bool openedPackage) override;

private:
    HCURSOR previous_ = nullptr;
};

}  // namespace rb
