// The support console at scale: a store of realistic, varied inventories (100,000 by default;
// kept in the folder given, so that later runs reuse it), then the median time of a list page,
// searches, an inventory page, a machine page with 100 inventories and a sign-in, through the
// same router and gate the server uses (without the network). Goals: list 100 ms, search
// 200 ms, inventory page 50 ms, machine page 100 ms, sign-in 300 ms.
//   console_bench FOLDER [COUNT]
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/text.h"
#include "realistic_inventories.h"
#include "service/console/auth.h"
#include "service/console/console.h"
#include "service/filing/filing.h"
#include "service/store/sqlite_store.h"

namespace rb::bench {
namespace {

using namespace rb::service;

constexpr int64_t kBusyMachine = 0;     // the computer with 100 inventories
constexpr int kBusyInventories = 100;

double Milliseconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double Median(int times, const std::function<void()>& run) {
    std::vector<double> taken;
    for (int i = 0; i < times; ++i) taken.push_back(Milliseconds(run));
    std::sort(taken.begin(), taken.end());
    return taken[taken.size() / 2];
}

// Fills the store to `count` inventories: about three per computer, and 100 of one.
void Fill(const std::string& file, int64_t count) {
    SqliteStore store(file, 1, false);
    const int64_t have = store.Search(InventoryQuery{}).total;
    if (have >= count) return;
    RealisticInventories make(GoldenDocument());
    const auto start = std::chrono::steady_clock::now();
    for (int64_t i = have; i < count; ++i) {
        const int64_t machine = i < kBusyInventories ? kBusyMachine : i / 3;
        const int version = i < kBusyInventories ? int(i) : int(i % 3);
        Inventory inventory;
        inventory.received = UtcText(NowSeconds() - (count - i) * 600);
        inventory.peer = Format("10.%d.%d.%d", int(i >> 16 & 255), int(i >> 8 & 255), int(i & 255));
        inventory.clientId = Format("{%08llX-0000-0000-0000-000000000000}", (long long)i);
        inventory.operation = "AddInfoFromRequest";
        inventory.header = make.Header();
        inventory.xml = make.Document(machine, version);
        inventory.sections = SelectedSections(inventory.xml);
        KeepInventory(store, inventory);
        if ((i + 1) % 10000 == 0) {
            const double seconds = std::chrono::duration<double>(
                std::chrono::steady_clock::now() - start).count();
            std::printf("  %lld stored (%.0f a second)\n", (long long)(i + 1),
                        double(i + 1 - have) / seconds);
            std::fflush(stdout);
        }
    }
}

http::Response Call(http::Router& router, const std::string& method, const std::string& target,
                    const std::string& cookie, const std::string& body = "") {
    http::Request request;
    request.method = method;
    request.target = target;
    request.path = target.substr(0, target.find('?'));
    if (target.find('?') != std::string::npos) request.query = target.substr(target.find('?') + 1);
    request.body = body;
    request.peer = "127.0.0.1";
    request.headers.emplace_back("Cookie", cookie);
    request.headers.emplace_back("Content-Type", "application/x-www-form-urlencoded");
    const http::Match match = router.Find(method, request.path);
    request.numbers = match.numbers;
    return router.Answer(*match.route, request);
}

int Run(const std::string& folder, int64_t count) {
    mkdir(folder.c_str(), 0755);
    const std::string file = folder + "/consola-bench.db";
    std::printf("store of %lld inventories in %s\n", (long long)count, file.c_str());
    Fill(file, count);
    struct stat info {};
    stat(file.c_str(), &info);
    std::printf("store size: %.1f MB\n", double(info.st_size) / (1 << 20));
    SqliteStore store(file);
    console::Console console(store);
    http::Router router;
    console.Mount(router);
    if (!store.FindAccount("bench")) {
        console.GetAuth().CreateAccount("bench", Role::Admin, "clave-de-bench", "bench");
    }
    const std::string cookie = std::string(console::kSessionCookie) + "=" +
                               console.GetAuth().SignIn("bench", "clave-de-bench", "").cookie;
    const int64_t busy = store.GetSummary(1)->machineId;
    struct Figure {
        const char* what;
        std::string target;
        double goal;
    };
    const Figure figures[] = {
        {"list page (newest first)", "/consola/inventarios", 100},
        {"list page 1000", "/consola/inventarios?pagina=1000", 100},
        {"list sorted by memory", "/consola/inventarios?orden=memoria&dir=asc", 100},
        {"search by program", "/consola/inventarios?programa=Autodesk+AutoCAD+LT+3.4", 200},
        {"search by computer name", "/consola/inventarios?equipo=PC-012345", 200},
        {"search by sender", "/consola/inventarios?nombre=Luc%C3%ADa+Pe%C3%B1a", 200},
        {"inventory page", "/consola/inventarios/" + std::to_string(count / 2), 50},
        {"machine page (100 inventories)", "/consola/maquinas/" + std::to_string(busy), 100},
        {"API list", "/api/v1/inventarios?equipo=PC-01", 100},
    };
    for (const Figure& f : figures) {
        const int status = Call(router, "GET", f.target, cookie).status;
        const double ms = Median(9, [&] { Call(router, "GET", f.target, cookie); });
        std::printf("%-34s %8.1f ms  (goal %.0f ms, status %d)\n", f.what, ms, f.goal, status);
    }
    const double signIn = Median(5, [&] { console.GetAuth().SignIn("bench", "clave-de-bench", ""); });
    std::printf("%-34s %8.1f ms  (goal 300 ms)\n", "sign-in", signIn);
    return 0;
}

}  // namespace
}  // namespace rb::bench

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: console_bench FOLDER [COUNT]\n", stderr);
        return 2;
    }
    return rb::bench::Run(argv[1], argc > 2 ? std::stoll(argv[2]) : 100000);
}
