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

// A run nobody may be watching (a scheduled task, a service account, a locked screen) shows
// its errors in boxes that close by themselves after this long, and then ends.
constexpr uint32_t kUnattendedBoxSeconds = 60;
const char kNoDelivery[] = "No se pudo hacer la entrega directa: no hay una conexión de red.";

// What the entry has learnt about the run so far.
struct RunState {
    bool unattended = false;  // the switch "auto", or a request file with Auto=1
};

// After a failed delivery the inventory must not be lost: a package the run was given is still
// where it was; a collected inventory is written to the module's temporary package. The text
// names the file, so that it can be sent later by e-mail or as a file.
std::string KeptPackageText(const TdmKestrinConnection& module, const std::string& package) {
    if (!package.empty()) return "El inventario sigue en el paquete " + package + ".";
    try {
        module.SaveTempPackage();
    } catch (const std::exception& e) {
        return "El inventario no se pudo guardar: " + ErrorBoxText(e.what());
    }
    return "El inventario se guardó en el paquete " + module.tmpFile +
           ", que puede enviarse a Kelto por correo electrónico o como archivo.";
}

// The direct delivery of an unattended run; its failure keeps the inventory and says where.
// A silent end of the call (no network to attempt a connection on) is a failure here too:
// nobody chose to cancel.
void DeliverUnattended(TdmKestrinConnection& module, const std::string& package) {
    try {
        module.SendDirect();
    } catch (const EAbort&) {
        throw Exception(std::string(kNoDelivery) + "\r\n" + KeptPackageText(module, package));
    } catch (const std::exception& e) {
        throw Exception(ErrorBoxText(e.what()) + "\r\n" + KeptPackageText(module, package));
    }
}

// Unattended: load or collect, send directly, end; no window at any time.
void RunUnattended(const CommandLine& cmd, TdmKestrinConnection& module) {
    if (cmd.FirstExtension() == ".fzp") {
        module.LoadPackage(cmd.First());
        DeliverUnattended(module, cmd.First());
        return;
    }
    // Collected before the header is set, and with Auto still false: errors are not
    // swallowed here.
    module.Collect();
    module.SetHeader(cmd.First(), "", "", "");
    DeliverUnattended(module, "");
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

int Run(const CommandLine& cmd, ProgramShell& shell, RunState& state) {
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
        state.unattended = true;
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
        state.unattended = true;
        module->Collect();
        DeliverUnattended(*module, "");
        return 0;
    }
    shell.RunMainWindow(*module, processAtStart, openedPackage);
    return 0;
}

}  // namespace

int RunProgram(const CommandLine& cmd, ProgramShell& shell) {
    RunState state;
    return Run(cmd, shell, state);
}

int RunProgramGuarded(const CommandLine& cmd, ProgramShell& shell) {
    RunState state;
    try {
        return Run(cmd, shell, state);
    } catch (const std::exception& e) {
        ShowApplicationError(e, state.unattended ? kUnattendedBoxSeconds : 0);
        return 1;
    }
}

}  // namespace rb
