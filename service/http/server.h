// The service's HTTP server: HTTP/1.1 (kept connections) over plain TCP or TLS, answering from
// a route table.
//
// Connections are served without a thread each: a client that trickles its request costs a
// socket and its buffer, never a worker, so clients that are slow on purpose cannot make the
// others wait. Each request has a deadline of its own, counted from its first byte (the first
// request of a connection: from its acceptance), for its headers and body to arrive; a late
// request's connection is closed without a reply. Handlers run on a pool of worker threads.
// What the server holds at once is bounded: connections (beyond, a quick 503) and the bytes of
// the request bodies being read (beyond, a quick 503 for the request that would pass it).
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "service/http/router.h"

namespace rb::service::http {

struct ServerOptions {
    int ioThreads = 2;             // threads that read and write the connections
    int workers = 16;              // requests handled at once
    int maxConnections = 1024;
    size_t bodyBudget = 256u << 20;  // bytes of request bodies held at once
    size_t maxHeader = 16u << 10;    // bytes of a request's line and headers
    std::chrono::milliseconds requestDeadline{10000};
    std::chrono::milliseconds keepAliveIdle{5000};  // a kept connection waits this long
    int keepAliveCalls = 100;                       // requests on one connection
    std::chrono::milliseconds writeDeadline{30000}; // for a response to be taken whole
    // TLS: the certificate chain and private key files (PEM); plain HTTP when empty.
    std::string tlsCertificate, tlsKey;
};

class Server {
public:
    // The router must outlive the server; it is not changed while the server runs.
    Server(const Router& router, ServerOptions options = ServerOptions());
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds to `host`; port 0 takes any free port. Answers the port; raises rb::Exception
    // (also for TLS files that cannot be read).
    int Bind(const std::string& host, int port);
    // Serves until Stop; call after Bind.
    void Run();
    // May be called from any thread, also before Run starts.
    void Stop();
    bool Secure() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace rb::service::http
