// kestrin-load: clients delivering inventories to running services, for the load and fault
// tests (tests/service/load_test.sh) and the benchmark.
//   kestrin-load --services URL[,URL...] [--clients 8] [--deliveries 10000] [--computers 64]
//                [--kb 8] [--lost-reply-every N] [--both-every N] [--repeat-every N]
//                [--progress FILE] [--check STORE]
// Prints what it delivered, how fast and how long a call took; with --check it then compares
// the store with what the clients were told, and ends with 1 for anything wrong.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "core/cp1252.h"
#include "core/text.h"
#include "service/delivery_load.h"
#include "synthetic_inventory.h"
#include "xml/sys_info_xml.h"

namespace {

using namespace rb;

std::map<std::string, std::string> Options(int argc, char** argv) {
    std::map<std::string, std::string> options;
    for (int i = 1; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
    return options;
}

int Number(const std::map<std::string, std::string>& options, const char* name, int otherwise) {
    const auto it = options.find(name);
    return it == options.end() ? otherwise : std::atoi(it->second.c_str());
}

// An inventory document of about `kb` kilobytes naming `computer`, with a network card and a
// BIOS of its own, so that each computer is a machine of its own.
std::string Document(const std::string& computer, int kb) {
    const auto make = [&computer](int n) {
        TXMLSysInfo document;
        TMSystemInfo& info = *document.SystemInfo;
        bench::BuildSyntheticInventory(info, {n, n / 2, n * 2, n / 4});
        info.Machine->Name = computer;
        info.Machine->BIOSName = "BIOS de " + computer;
        const size_t card = std::hash<std::string>()(computer);
        info.Network->MACAddresses->Clear();
        info.Network->MACAddresses->Add(Format("00-1B-%02X-%02X-%02X-%02X", unsigned(card >> 24 & 255),
                                               unsigned(card >> 16 & 255), unsigned(card >> 8 & 255),
                                               unsigned(card & 255)));
        return document.SaveXML();
    };
    const int guess = std::max(1, kb);
    const std::string first = make(guess);
    return make(std::max(1, int(guess * 1024.0 * kb / first.size())));
}

}  // namespace

int main(int argc, char** argv) {
    const std::map<std::string, std::string> options = Options(argc, argv);
    if (!options.count("--services")) {
        std::fprintf(stderr, "uso: kestrin-load --services URL[,URL...] [opciones]\n");
        return 2;
    }
    test::LoadOptions load;
    for (size_t start = 0, comma;; start = comma + 1) {
        const std::string& list = options.at("--services");
        comma = list.find(',', start);
        load.urls.push_back(list.substr(start, comma - start));
        if (comma == std::string::npos) break;
    }
    const int clients = Number(options, "--clients", 8);
    const int deliveries = Number(options, "--deliveries", 10000);
    const int kb = Number(options, "--kb", 8);
    load.lostReplyEvery = Number(options, "--lost-reply-every", 0);
    load.bothAtOnceEvery = Number(options, "--both-every", 0);
    load.repeatEvery = Number(options, "--repeat-every", 0);
    if (options.count("--progress")) load.progressFile = options.at("--progress");
    RegisterInformationClasses();
    auto calls =
        test::MakeDeliveries(clients, deliveries / clients, Number(options, "--computers", 64),
                             [kb](const std::string& c) { return Document(c, kb); });
    const test::LoadResult result = test::RunLoad(calls, load);
    const std::string summary = Format(
        "kestrin-load: %lld entregas con recibo de %d (XML de %.1f KB) en %.1f s: %.0f por "
        "segundo; latencia p50 %.1f ms, p99 %.1f ms; %lld envíos fallidos repetidos en otro "
        "servicio; %lld perdidas; %lld recibos distintos para una misma llamada\n",
        static_cast<long long>(result.delivered), clients * (deliveries / clients),
        calls[0][0].sent.xml.size() / 1024.0, result.seconds, result.delivered / result.seconds,
        test::LatencyPercentile(calls, 50), test::LatencyPercentile(calls, 99),
        static_cast<long long>(result.failures), static_cast<long long>(result.lost),
        static_cast<long long>(result.mismatches));
    std::fputs(Cp1252ToUtf8(summary).c_str(), stdout);
    bool wrong = result.lost != 0 || result.mismatches != 0;
    if (options.count("--check")) {
        const std::unique_ptr<service::Store> store = service::OpenStore(options.at("--check"));
        for (const std::string& problem : test::CheckStored(*store, calls)) {
            std::printf("kestrin-load: MAL: %s\n", Cp1252ToUtf8(problem).c_str());
            wrong = true;
        }
        if (!wrong) {
            std::fputs(
                Cp1252ToUtf8("kestrin-load: cada recibo guardado una vez, byte a byte, y nada "
                             "más\n")
                    .c_str(),
                stdout);
        }
    }
    std::fflush(stdout);
    return wrong ? 1 : 0;
}
