// The real processes, services, folder search and profile sections under Windows (Wine in the
// tests) keep the contracts the simulation keeps.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/software_contracts.h"
#include "platform/win32/platform_win32.h"

namespace {

using rb::platform::Win32Platform;

TEST(Win32SoftwareAreas, KeepTheProcessesContract) {
    Win32Platform p;
    rbtest::CheckProcessesContract(p.Processes(), "rbinfo_tests.exe");
    p.Processes().ReleaseLibraries();  // and a later question loads psapi again
    EXPECT_NE(p.Processes().ModuleName(p.Processes().CurrentProcessId(), false), "");
}

TEST(Win32SoftwareAreas, KeepTheServicesContract) {
    Win32Platform p;
    rbtest::CheckServicesContract(p.Services());
}

TEST(Win32SoftwareAreas, KeepTheFilesContract) {
    Win32Platform p;
    const std::string folder = p.System().TempPath() + "rbinfo_files_contract";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"b.lnk", "a.lnk", "notas.txt"}) {
        std::ofstream(folder + "\\" + name) << "x";
    }
    const std::string ini = folder + "\\prueba.ini";
    std::ofstream(ini) << "[windows]\r\nload=a b.exe\r\nrun=\r\n";
    rbtest::CheckFilesContract(p.System(), p.Shell(), folder, ini);
    for (const char* name : {"b.lnk", "a.lnk", "notas.txt", "prueba.ini"}) {
        ::DeleteFileA((folder + "\\" + name).c_str());
    }
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace
