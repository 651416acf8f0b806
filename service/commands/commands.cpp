#include "service/commands/commands.h"

#include <cstdio>
#include <string>

#include "core/cp1252.h"
#include "service/commands/command_table.h"

namespace rb::service {
namespace {

const char* const kUsage =
    "uso: kestrin-service serve --port N --db ARCHIVO [--bind DIRECCIÓN]\n"
    "     kestrin-service list --db ARCHIVO\n"
    "     kestrin-service show --db ARCHIVO ID\n"
    "     kestrin-service export --db ARCHIVO ID SALIDA.fzp\n";

struct Command {
    const char* name;
    int (*run)(const Arguments&);
};
const Command kCommands[] = {
    {"serve", ServeCommand},
    {"list", ListCommand},
    {"show", ShowCommand},
    {"export", ExportCommand},
};

}  // namespace

int Main(int argc, char** argv, const MountRoutes& mountMore) {
    try {
        for (const Command& command : kCommands) {
            if (argc >= 2 && std::string(argv[1]) == command.name) {
                Arguments args(argc, argv, 2);
                args.mountMore = mountMore;
                return command.run(args);
            }
        }
        throw UsageError();
    } catch (const UsageError&) {
        std::fputs(Cp1252ToUtf8(kUsage).c_str(), stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kestrin-service: %s\n", Cp1252ToUtf8(e.what()).c_str());
        return 1;
    }
}

}  // namespace rb::service
