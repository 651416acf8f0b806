// The commands of kestrin-service, each in the file of its topic.
#pragma once

#include "service/commands/arguments.h"

namespace rb::service {

int ServeCommand(const Arguments& args);
int ListCommand(const Arguments& args);
int ShowCommand(const Arguments& args);
int ExportCommand(const Arguments& args);
int AccountCommand(const Arguments& args);
int DiffCommand(const Arguments& args);
int PruneCommand(const Arguments& args);
int BackupCommand(const Arguments& args);

}  // namespace rb::service
