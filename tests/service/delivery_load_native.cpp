#include <algorithm>
#include <atomic>
#include <cstdio>
#include <deque>
#include <map>
#include <regex>
#include <set>
#include <thread>

#include "core/cp1252.h"
#include "core/text.h"
#include "remoting/bin_message.h"
#include "service/delivery_load.h"
#include "service/http_post.h"
#include "service/remote_call/handler.h"

namespace rb::test {
namespace {

using Clock = std::chrono::steady_clock;

// The message the program posts for AddInfoFromRequest.
std::string Message(const Guid& client, const THeader& header, const std::string& xml) {
    TRCBinMessage message;
    message.SetClientID(client);
    message.Initialize(nullptr, "KestrinService", "AddInfoFromRequest");
    message.WriteValue("Nombre", Cp1252ToUtf16(header.Nombre));
    message.WriteValue("Telefono", Cp1252ToUtf16(header.Telefono));
    message.WriteValue("Datos", Cp1252ToUtf16(xml));
    message.WriteValue("Observaciones", Cp1252ToUtf16(header.Observaciones));
    message.WriteValue("Destino", Cp1252ToUtf16(header.Destino));
    MemoryStream out;
    message.WriteToStream(out);
    return std::string(out.Bytes().begin(), out.Bytes().end());
}

// The number in a reply's receipt; raises for anything else.
int64_t ReceiptOf(const HttpPoster::Reply& reply) {
    MemoryStream stream(reply.body);
    TRCBinMessage message;
    message.ReadFromStream(stream);  // an exception reply raises the service's error
    std::u16string result;
    message.ReadValue("Result", result);
    std::smatch m;
    const std::string text = Utf16ToCp1252(result);
    static const std::regex receipt("Recibido: inventario ([0-9]+)");
    if (reply.status != 200 || !std::regex_match(text, m, receipt)) {
        throw Exception("no es un recibo: " + text);
    }
    return std::stoll(m.str(1));
}

// One client: a connection to each service, posting one call until it has its receipt.
class Client {
public:
    Client(const LoadOptions& options, std::atomic<int64_t>& receipts)
        : options_(options), receipts_(receipts) {
        for (const std::string& url : options.urls) posters_.emplace_back(url);
    }

    // The receipt of `body`, first posted to service `first`; 0 when given up.
    int64_t Deliver(const std::string& body, size_t first) {
        const Clock::time_point start = Clock::now();
        for (size_t at = first, tries = 0;; at = (at + 1) % posters_.size(), ++tries) {
            try {
                return ReceiptOf(posters_[at].Post(body, std::chrono::seconds(60)));
            } catch (const std::exception&) {
                ++failures_;
                if (Clock::now() - start > options_.giveUp) return 0;
                // A service that went is tried again after the others, a little later each time.
                const auto pause = std::chrono::milliseconds(std::min<size_t>(20 * tries, 500));
                std::this_thread::sleep_for(pause);
            }
        }
    }

    void Run(std::vector<Delivery>& calls, size_t firstService) {
        const size_t n = posters_.size();
        for (size_t k = 0; k < calls.size(); ++k) {
            Delivery& call = calls[k];
            const size_t at = (firstService + k) % n;
            const Clock::time_point start = Clock::now();
            const auto every = [k](int n) { return n > 0 && k % size_t(n) == size_t(n - 1); };
            if (every(options_.lostReplyEvery)) posters_[at].PostAndHangUp(call.body);
            const size_t next = every(options_.lostReplyEvery) ? (at + 1) % n : at;
            if (every(options_.bothAtOnceEvery)) {
                int64_t other = 0;
                std::thread twin([&] {
                    std::atomic<int64_t> uncounted{0};
                    other = Client(options_, uncounted).Deliver(call.body, (next + 1) % n);
                });
                call.receipt = Deliver(call.body, next);
                twin.join();
                if (other != call.receipt) ++mismatches_;
            } else {
                call.receipt = Deliver(call.body, next);
            }
            call.latencyMs =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            if (call.receipt != 0 && every(options_.repeatEvery)) {
                if (Deliver(call.body, (next + 1) % n) != call.receipt) ++mismatches_;
            }
            if (call.receipt != 0) ++receipts_;
        }
    }
    int64_t Failures() const { return failures_; }
    int64_t Mismatches() const { return mismatches_; }

private:
    const LoadOptions& options_;
    std::atomic<int64_t>& receipts_;
    std::deque<HttpPoster> posters_;  // they stay where they are made
    int64_t failures_ = 0, mismatches_ = 0;
};

void WriteProgress(const std::string& file, int64_t count) {
    const std::string partial = file + ".new";
    if (std::FILE* out = std::fopen(partial.c_str(), "w")) {
        std::fprintf(out, "%lld\n", static_cast<long long>(count));
        std::fclose(out);
        std::rename(partial.c_str(), file.c_str());
    }
}

}  // namespace

std::vector<std::vector<Delivery>> MakeDeliveries(
    int clients, int perClient, int computers,
    const std::function<std::string(const std::string& computer)>& document) {
    std::vector<std::string> documents, names;
    for (int m = 0; m < computers; ++m) {
        names.push_back(Format("PC-CARGA-%03d", m));
        documents.push_back(document(names.back()));
    }
    std::vector<std::vector<Delivery>> all(clients);
    for (int c = 0; c < clients; ++c) {
        Guid client{};
        for (int i = 0; i < 16; ++i) client[i] = static_cast<uint8_t>(0x40 + c * 16 + i);
        for (int k = 0; k < perClient; ++k) {
            Delivery call;
            const int m = (c * perClient + k) % computers;
            call.computer = names[m];
            call.sent.clientId = service::GuidText(client);
            call.sent.operation = "AddInfoFromRequest";
            call.sent.header = {Format("Cliente %d", c), Format("600 %03d %03d", c, k % 1000),
                                Format("Entrega %d del cliente %d\r\n¿Llegó una vez?", k, c),
                                "Soporte técnico"};
            call.sent.xml = documents[m];
            call.body = Message(client, call.sent.header, call.sent.xml);
            all[c].push_back(std::move(call));
        }
    }
    return all;
}

LoadResult RunLoad(std::vector<std::vector<Delivery>>& deliveries, const LoadOptions& options) {
    LoadResult result;
    std::atomic<int64_t> receipts{0};
    std::atomic<bool> done{false};
    std::thread progress([&] {
        while (!done) {
            if (!options.progressFile.empty()) WriteProgress(options.progressFile, receipts);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    const Clock::time_point start = Clock::now();
    std::vector<std::unique_ptr<Client>> clients;
    std::vector<std::thread> threads;
    for (size_t c = 0; c < deliveries.size(); ++c) {
        clients.push_back(std::make_unique<Client>(options, receipts));
        threads.emplace_back([&, c] { clients[c]->Run(deliveries[c], c % options.urls.size()); });
    }
    for (std::thread& thread : threads) thread.join();
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    done = true;
    progress.join();
    for (const auto& client : clients) {
        result.failures += client->Failures();
        result.mismatches += client->Mismatches();
    }
    for (const auto& calls : deliveries) {
        for (const Delivery& call : calls) ++(call.receipt ? result.delivered : result.lost);
    }
    if (!options.progressFile.empty()) WriteProgress(options.progressFile, receipts);
    return result;
}

double LatencyPercentile(const std::vector<std::vector<Delivery>>& deliveries, double p) {
    std::vector<double> values;
    for (const auto& calls : deliveries) {
        for (const Delivery& call : calls) {
            if (call.receipt) values.push_back(call.latencyMs);
        }
    }
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p / 100 * values.size()))];
}

}  // namespace rb::test
