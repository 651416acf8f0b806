// kestrin-service prune and backup: removing old inventories, and a copy of an SQLite store.
#include "core/exception.h"
#include "core/text.h"
#include "service/commands/arguments.h"
#include "service/commands/command_table.h"
#include "service/store/sqlite_store.h"

namespace rb::service {

// Removes what was received more than DAYS ago, keeping the latest inventory of each machine
// unless --todas; says what it removed.
int PruneCommand(const Arguments& args) {
    if (!args.words.empty()) throw UsageError();
    const int64_t days = ParseNumber(args.Required("--older-than"), 5);
    const bool keepLatest = !args.Flag("--todas");
    const std::unique_ptr<Store> store = OpenServiceStore(args);
    const std::string before = UtcText(NowSeconds() - days * 86400);
    const std::vector<InventorySummary> removed = store->Prune(before, keepLatest);
    for (const InventorySummary& row : removed) {
        Print(Format("Borrado el inventario %lld (recibido %s, equipo \"%s\", %s)\n",
                     static_cast<long long>(row.id), row.received.c_str(),
                     row.facts.computer.c_str(), row.header.Nombre.c_str()));
    }
    const char* plural = removed.size() == 1 ? "" : "s";
    Print(Format("%u inventario%s borrado%s, recibido%s antes de %s (UTC)%s\n",
                 unsigned(removed.size()), plural, plural, plural, before.c_str(),
                 keepLatest ? "; se conserva el último de cada equipo" : ""));
    return 0;
}

// An online copy of an SQLite store into a new file; PostgreSQL has pg_dump for that.
int BackupCommand(const Arguments& args) {
    if (args.words.size() != 1) throw UsageError();
    const std::string address = args.Required("--db");
    if (IsPostgresAddress(address)) {
        // The address is not repeated: it may carry a password.
        throw Exception(
            "Una base de datos PostgreSQL se copia con pg_dump, p. ej.: pg_dump -Fc -f " +
            args.words[0] + " 'postgresql://...'");
    }
    SqliteStore store(SqliteFileOf(address));
    store.BackupTo(args.words[0]);
    Print(Format("Copia de %s en %s: %u inventarios\n", SqliteFileOf(address).c_str(),
                 args.words[0].c_str(), unsigned(store.ListAll().size())));
    return 0;
}

}  // namespace rb::service
