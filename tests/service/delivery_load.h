// Many clients delivering inventories to one or more services at once, as the load tests and the
// benchmark drive them: each client posts its calls in turn, and after a failure posts the same
// call again to the next service, until it gets its receipt. Afterwards the store can be
// checked: every receipt kept once, byte for byte, and nothing else.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "service/store/store.h"

namespace rb::test {

// One call a client makes, and what came of it.
struct Delivery {
    service::Inventory sent;  // what the service must keep: client, operation, header, XML
    std::string computer;     // the computer its document names
    std::string body;         // the message posted
    int64_t receipt = 0;      // the number its receipt gave (0: none)
    double latencyMs = 0;     // from its first post to its receipt
};

// `perClient` calls of each of `clients` clients (an identifier each); their documents, made by
// `document` for a computer's name, name `computers` computers in turn.
std::vector<std::vector<Delivery>> MakeDeliveries(
    int clients, int perClient, int computers,
    const std::function<std::string(const std::string& computer)>& document);

struct LoadOptions {
    std::vector<std::string> urls;  // "http://127.0.0.1:PORT/cgi/Kestrin.exe/bin", one a service
    // Every n-th call (0: none) is also, in turn: posted and hung up on before its reply (a
    // reply lost), posted to two services at the same moment, posted again after its receipt.
    int lostReplyEvery = 0, bothAtOnceEvery = 0, repeatEvery = 0;
    std::string progressFile;          // receives the count of receipts as they come
    std::chrono::seconds giveUp{240};  // a call without a receipt by then is lost
};

struct LoadResult {
    int64_t delivered = 0;   // calls with a receipt
    int64_t lost = 0;        // calls given up
    int64_t failures = 0;    // posts that failed and were made again elsewhere
    int64_t mismatches = 0;  // the same call answered with two receipts
    double seconds = 0;
};

LoadResult RunLoad(std::vector<std::vector<Delivery>>& deliveries, const LoadOptions& options);

// What is wrong in the store after a load (empty when nothing): a call without its receipt, a
// receipt given to two calls, a kept text that differs from the one sent, rows beyond the
// calls, machines that do not count their computer's calls.
std::vector<std::string> CheckStored(service::Store& store,
                                     const std::vector<std::vector<Delivery>>& deliveries);

// The p-th percentile (0..100) of the calls' latencies.
double LatencyPercentile(const std::vector<std::vector<Delivery>>& deliveries, double p);

}  // namespace rb::test
