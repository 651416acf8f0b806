// rbInfo.exe: the Windows entry point. Everything it does is in RunProgram.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/program.h"
#include "core/exception.h"
#include "platform/platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    try {
        return rb::RunProgram(rb::CommandLine(std::move(args)));
    } catch (const std::exception& e) {
        // An error that escapes the start-up ends the program with exit code 1.
        std::string text = e.what();
        rb::platform::Current().MessageBox(text, rb::kApplicationTitle, rb::platform::kMbIconError);
        return 1;
    }
}
