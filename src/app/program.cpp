#include "app/program.h"

#include <fstream>

#include "core/exception.h"
#include "platform/platform.h"
#include "sysinfo/msystem_info.h"
#include "sysinfo/routines.h"

namespace rb {

void RegisterFileTypes(const std::string& programPath) {
    try {
        RegisterFileType("fzp", programPath, "Información de Hardware");
        RegisterFileType("rpg", programPath, "Páginas de ejecución de procesos");
    } catch (...) {
        // Registration is a courtesy: without rights on the classes root the run goes on.
    }
}

void WriteReportFile(const std::string& file) {
    TMSystemInfo info;
    info.Refresh();
    StringList report;
    info.Report(report);
    std::ofstream out(file, std::ios::binary);
    out << report.Text();
    if (!out.flush()) throw Exception("No se pudo escribir el archivo " + file);
}

int RunProgram(const CommandLine& cmd) {
    RegisterInformationClasses();
    RegisterFileTypes(platform::Current().ModuleFileName());
    if (cmd.HasSwitch("register")) return 0;
    if (cmd.HasSwitch("report")) {
        WriteReportFile(cmd.SwitchValue("report"));
        return 0;
    }
    // The interactive and unattended runs are built on the connection module and windows.
    return 0;
}

}  // namespace rb
