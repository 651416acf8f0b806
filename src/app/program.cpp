#include "app/program.h"

#include <fstream>

#include "connection/connection_module.h"
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

namespace {

// Unattended: load or collect, send directly, end; no window at any time.
void RunUnattended(const CommandLine& cmd, TdmKestrinConnection& module) {
    if (cmd.FirstExtension() == ".fzp") {
        module.LoadPackage(cmd.First());
    } else {
        // Collected before the header is set, and with Auto still false: errors are not
        // swallowed here.
        module.Collect();
        module.SetHeader(cmd.First(), "", "", "");
    }
    module.SendDirect();
}

// Restores the cursor on every path.
class WaitCursor {
public:
    explicit WaitCursor(ProgramShell& shell) : shell_(shell) { shell_.BeginWait(); }
    ~WaitCursor() { shell_.EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    ProgramShell& shell_;
};

}  // namespace

int RunProgram(const CommandLine& cmd, ProgramShell& shell) {
    RegisterInformationClasses();
    const std::string extension = cmd.FirstExtension();
    bool openedPackage = false;
    bool processAtStart = false;
    RegisterFileTypes(platform::Current().System().ModuleFileName());
    if (cmd.HasSwitch("register")) return 0;

    std::unique_ptr<TdmKestrinConnection> module = shell.CreateConnection();
    module->SetViewer(&shell.Viewer());
    if (cmd.HasSwitch("report")) {
        WriteReportFile(cmd.SwitchValue("report"));
        return 0;
    }
    if (cmd.HasSwitch("auto")) {
        RunUnattended(cmd, *module);
        return 0;
    }
    {
        WaitCursor wait(shell);
        if (!cmd.First().empty()) {
            if (extension == ".fzp") {
                module->LoadPackage(cmd.First());
                openedPackage = true;
                module->View();
            } else if (extension == ".rpg") {
                module->LoadRequest(cmd.First());
                processAtStart = !module->Auto;
            }
        }
    }
    if (module->Auto) {
        // A request file asked for an unattended run: a collection error does not stop it;
        // what was gathered is sent, its error list saying why it is partial.
        module->Collect();
        module->SendDirect();
        return 0;
    }
    shell.RunMainWindow(*module, processAtStart, openedPackage);
    return 0;
}

int RunProgramGuarded(const CommandLine& cmd, ProgramShell& shell) {
    try {
        return RunProgram(cmd, shell);
    } catch (const std::exception& e) {
        ShowApplicationError(e);
        return 1;
    }
}

}  // namespace rb
