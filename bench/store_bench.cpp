// The list and its searches on a PostgreSQL store of many inventories: fills an empty database
// with generated rows (bench/generated_store.*), then times, through the store as the console
// calls it, the first page of the list and a later one, a search by a person's name, by a
// program few machines have, by one most have, and by part of a computer's name. Each is run once
// to warm up, then 7 times.
//   store_bench --db postgresql://... --rows N [--again]
// (--again: the database was filled by an earlier run with as many rows; only the times.)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/cp1252.h"
#include "core/text.h"
#include "generated_store.h"
#include "service/store/postgres_store.h"

namespace rb::bench {
namespace {

void Time(service::Store& store, const char* what, const service::InventoryQuery& query) {
    std::vector<double> ms;
    service::SummaryPage page;
    for (int run = 0; run < 8; ++run) {
        const auto start = std::chrono::steady_clock::now();
        page = store.Search(query);
        const double took =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (run > 0) ms.push_back(took);
    }
    std::sort(ms.begin(), ms.end());
    std::fputs(Cp1252ToUtf8(Format("  %-58s %8lld found, page of %zu: median %6.1f ms, "
                                   "slowest %6.1f ms\n",
                                   what, static_cast<long long>(page.total), page.rows.size(),
                                   ms[ms.size() / 2], ms.back()))
                   .c_str(),
               stdout);
}

}  // namespace
}  // namespace rb::bench

int main(int argc, char** argv) {
    using namespace rb;
    std::string address;
    int64_t rows = 100000;
    bool fill = true;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--again") fill = false;
        if (i + 1 < argc && option == "--db") address = argv[++i];
        if (i + 1 < argc && option == "--rows") rows = std::atoll(argv[++i]);
    }
    if (address.empty() || rows <= 0) {
        std::fprintf(stderr, "uso: store_bench --db postgresql://... --rows N [--again]\n");
        return 2;
    }
    try {
        std::printf("PostgreSQL store with %lld generated inventories:\n", (long long)rows);
        const bench::GeneratedStore generated =
            fill ? bench::FillStore(address, rows) : bench::Describe(rows);
        service::PostgresStore store(address);
        service::InventoryQuery query;
        bench::Time(store, "the list: its first page of 50, newest first", query);
        query.offset = 10000;
        bench::Time(store, "the list: its page 201", query);
        query.offset = 0;
        query.nombre = "josé peña";
        bench::Time(store, "search by name \"josé peña\"", query);
        query.nombre.clear();
        query.program = generated.rareProgram;
        bench::Time(store, ("search by program \"" + query.program + "\"").c_str(), query);
        query.program = generated.commonProgram;
        bench::Time(store, ("search by program \"" + query.program + "\"").c_str(), query);
        query.program.clear();
        query.computer = generated.computerPart;
        bench::Time(store, ("search by computer name \"" + query.computer + "\"").c_str(), query);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "store_bench: %s\n", Cp1252ToUtf8(e.what()).c_str());
        return 1;
    }
    return 0;
}
