#include "service/commands.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/cp1252.h"
#include "core/exception.h"
#include "core/string_list.h"
#include "core/text.h"
#include "service/http/server.h"
#include "service/remote_call.h"
#include "xml/sys_info_xml.h"

namespace rb::service {
namespace {

const char* const kUsage =
    "uso: kestrin-service serve --port N --db ARCHIVO [--bind DIRECCIÓN]\n"
    "     kestrin-service list --db ARCHIVO\n"
    "     kestrin-service show --db ARCHIVO ID\n"
    "     kestrin-service export --db ARCHIVO ID SALIDA.fzp\n";

struct UsageError {};

void Print(const std::string& cp1252) {
    std::fputs(Cp1252ToUtf8(cp1252).c_str(), stdout);
}

// Options ("--name value" or a flag) and the remaining words in order.
struct Arguments {
    std::map<std::string, std::string> options;
    std::vector<std::string> words;

    Arguments(int argc, char** argv) {
        static const char* const kFlags[] = {"--json"};
        for (int i = 2; i < argc; ++i) {
            const std::string a = argv[i];
            if (a.compare(0, 2, "--") != 0) {
                words.push_back(a);
            } else if (std::find(std::begin(kFlags), std::end(kFlags), a) != std::end(kFlags)) {
                options[a] = "1";
            } else if (i + 1 < argc) {
                options[a] = argv[++i];
            } else {
                throw UsageError();
            }
        }
    }
    std::string Required(const std::string& name) const {
        const auto it = options.find(name);
        if (it == options.end() || it->second.empty()) throw UsageError();
        return it->second;
    }
    std::string Optional(const std::string& name, const std::string& otherwise) const {
        const auto it = options.find(name);
        return it == options.end() ? otherwise : it->second;
    }
};

// A whole number of at most `digits` digits.
int64_t ParseNumber(const std::string& text, size_t digits = 18) {
    if (text.empty() || text.size() > digits || text.find_first_not_of("0123456789") != text.npos) {
        throw UsageError();
    }
    return std::stoll(text);
}

Inventory Fetch(InventoryStore& store, int64_t id) {
    std::optional<Inventory> inventory = store.Get(id);
    if (!inventory)
        throw Exception(
            Format("No hay ningún inventario con el número %lld", static_cast<long long>(id)));
    return *inventory;
}

// Serves until SIGINT or SIGTERM: a thread waits for them, the others never see them.
int Serve(const Arguments& args, const MountRoutes& mountMore) {
    const int64_t port = ParseNumber(args.Required("--port"), 5);
    if (port > 65535) throw UsageError();
    const std::string host = args.Optional("--bind", "127.0.0.1");
    InventoryStore store(args.Required("--db"));
    RemoteCall remoteCall(store);
    http::Router router;
    remoteCall.Mount(router);
    if (mountMore) mountMore(router, remoteCall);
    http::Server server(router);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    const int bound = server.Bind(host, static_cast<int>(port));
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&signals, &signal);
        server.Stop();
    });
    const bool ipv6 = host.find(':') != std::string::npos;
    Print("kestrin-service: escuchando en http://" + (ipv6 ? "[" + host + "]" : host) + ":" +
          std::to_string(bound) + kServicePath + "\n");
    std::fflush(stdout);
    server.Run();
    pthread_kill(stopper.native_handle(), SIGTERM);  // when Run ended by itself
    stopper.join();
    return 0;
}

int List(const Arguments& args) {
    InventoryStore store(args.Required("--db"));
    Print(Format("%-5s %-19s  %-15s %9s %10s  %s\n", "ID", "Recibido (UTC)", "Origen", "Secciones",
                 "Bytes XML", "Nombre"));
    for (const InventorySummary& row : store.List()) {
        Print(Format("%-5lld %-19s  %-15s %9d %10lld  %s\n", static_cast<long long>(row.id),
                     row.received.c_str(), row.peer.c_str(), row.sectionCount,
                     static_cast<long long>(row.xmlSize), row.nombre.c_str()));
    }
    return 0;
}

// The stored header, then the inventory's own text report.
int Show(const Arguments& args) {
    if (args.words.size() != 1) throw UsageError();
    InventoryStore store(args.Required("--db"));
    const Inventory inv = Fetch(store, ParseNumber(args.words[0]));
    const THeader& h = inv.header;
    StringList lines;
    lines.Add(Format("Inventario %lld", static_cast<long long>(inv.id)));
    lines.Add("Recibido (UTC): " + inv.received);
    lines.Add("Origen: " + inv.peer);
    lines.Add("Cliente: " + inv.clientId);
    lines.Add("Operación: " + inv.operation);
    lines.Add("Nombre: " + h.Nombre);
    lines.Add("Teléfono: " + h.Telefono);
    lines.Add("Observaciones: " + h.Observaciones);
    lines.Add("Destino: " + h.Destino);
    lines.Add(Format("Secciones (%d): %s", CountSections(inv.sections), inv.sections.c_str()));
    lines.Add(Format("XML: %u bytes", unsigned(inv.xml.size())));
    lines.Add("");
    try {
        RegisterInformationClasses();
        TXMLSysInfo document;
        document.LoadXML(inv.xml);
        document.SystemInfo->Report(lines);
    } catch (const std::exception& e) {
        lines.Add(std::string("(el XML no se pudo leer: ") + e.what() + ")");
    }
    std::string text = lines.Text();
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    Print(text);
    return 0;
}

int Export(const Arguments& args) {
    if (args.words.size() != 2) throw UsageError();
    InventoryStore store(args.Required("--db"));
    const Inventory inv = Fetch(store, ParseNumber(args.words[0]));
    WritePackageFile(PackageText(inv), args.words[1]);
    // The file name is the terminal's own text: printed as it came.
    Print(Format("Inventario %lld exportado a ", static_cast<long long>(inv.id)));
    std::puts(args.words[1].c_str());
    return 0;
}

struct Command {
    const char* name;
    int (*run)(const Arguments&);
};
const Command kCommands[] = {
    {"list", List},
    {"show", Show},
    {"export", Export},
};

}  // namespace

int Main(int argc, char** argv, const MountRoutes& mountMore) {
    try {
        if (argc >= 2 && std::string(argv[1]) == "serve") {
            return Serve(Arguments(argc, argv), mountMore);
        }
        for (const Command& command : kCommands) {
            if (argc >= 2 && std::string(argv[1]) == command.name) {
                return command.run(Arguments(argc, argv));
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
