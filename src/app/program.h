// The program entry, apart from the Windows main function: decides from the command line
// which run takes place and carries it out.
#pragma once

#include <string>

#include "app/command_line.h"

namespace rb {

constexpr const char* kApplicationTitle = "Información de su computadora";

// Registers the ".fzp" and ".rpg" file types for `programPath`; any error is discarded (a
// user without rights on the classes root still runs the program).
void RegisterFileTypes(const std::string& programPath);

// Runs the program for `cmd`; returns the exit code.
int RunProgram(const CommandLine& cmd);

// Support switch: gathers every section and writes the text report to `file` (CP1252).
void WriteReportFile(const std::string& file);

}  // namespace rb
