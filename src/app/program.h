// The program entry, apart from the Windows main function: decides from the command line which
// run takes place (registration only, unattended, package or request first, plain interactive)
// and carries it out through the connection module.
#pragma once

#include <memory>
#include <string>

#include "app/command_line.h"
#include "app/application_error.h"

namespace rb {

class TdmKestrinConnection;
class InformationViewer;

// What the entry needs from the windowing side; the real one shows windows, tests record.
class ProgramShell {
public:
    virtual ~ProgramShell() = default;
    // The connection module for this run (created once, after registration).
    virtual std::unique_ptr<TdmKestrinConnection> CreateConnection() = 0;
    // The report viewer the connection module shows packages in; lives as long as the shell.
    virtual InformationViewer& Viewer() = 0;
    // Hourglass cursor on / previous cursor back.
    virtual void BeginWait() {}
    virtual void EndWait() {}
    // Creates the main window and runs the message loop until it closes.
    virtual void RunMainWindow(TdmKestrinConnection& module, bool processAtStart,
                               bool openedPackage) = 0;
};

// Registers the ".fzp" and ".rpg" file types for `programPath`; any error is discarded (a user
// without rights on the classes root still runs the program).
void RegisterFileTypes(const std::string& programPath);

// The start-up sequence. Errors it does not handle propagate (see RunProgramGuarded).
int RunProgram(const CommandLine& cmd, ProgramShell& shell);

// RunProgram with the last-chance handling of start-up errors: the error is shown in a message
// box (through the platform) and the exit code is 1. In an unattended run the box closes by
// itself after a minute, and a failed delivery has first kept the inventory as a package,
// which the message names.
int RunProgramGuarded(const CommandLine& cmd, ProgramShell& shell);

// Support switch: gathers every section and writes the text report to `file` (CP1252).
void WriteReportFile(const std::string& file);

}  // namespace rb
