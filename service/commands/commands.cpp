#include "service/commands/commands.h"

#include <cstdio>
#include <string>

#include "core/cp1252.h"
#include "service/commands/command_table.h"

namespace rb::service {
namespace {

const char* const kUsage =
    "uso: kestrin-service serve --port N --db BASE [--bind DIRECCIÓN]\n"
    "                           [--tls-cert CERTIFICADO.pem --tls-key CLAVE.pem]\n"
    "     kestrin-service list --db BASE\n"
    "     kestrin-service show --db BASE ID\n"
    "     kestrin-service export --db BASE ID SALIDA.fzp\n"
    "     kestrin-service diff --db BASE A B [--json] [--volatiles]\n"
    "     kestrin-service prune --db BASE --older-than DÍAS [--todas]\n"
    "     kestrin-service backup --db ARCHIVO COPIA\n"
    "     kestrin-service usuario alta NOMBRE --rol lectura|soporte|admin --db BASE\n"
    "     kestrin-service usuario clave NOMBRE --db BASE\n"
    "     kestrin-service usuario lista --db BASE\n"
    "BASE: un archivo SQLite (o sqlite:ARCHIVO) o una dirección postgresql://...\n"
    "(las claves de las cuentas se leen de la entrada estándar)\n";

struct Command {
    const char* name;
    int (*run)(const Arguments&);
};
const Command kCommands[] = {
    {"serve", ServeCommand},
    {"list", ListCommand},
    {"show", ShowCommand},
    {"export", ExportCommand},
    {"diff", DiffCommand},
    {"usuario", AccountCommand},
    {"prune", PruneCommand},
    {"backup", BackupCommand},
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
