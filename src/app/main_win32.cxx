// rbInfo.exe: the Windows entry point.
#include <windows.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "app/windows_shell_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    rb::WindowsShell shell;
    return rb::RunProgramGuarded(rb::CommandLine(std::move(args)), shell);
}
