// The collecting service's HTTP side: the POST of the remote call on "/cgi/Kestrin.exe/bin",
// answered by HandleMessage, and (for tests of the client) a few routes that answer the way a
// broken server or a web page in the way would.
#pragma once

#include <memory>
#include <string>

#include "service/handler.h"
#include "service/store.h"

namespace rb::service {

constexpr const char* kServicePath = "/cgi/Kestrin.exe/bin";

struct ServerOptions {
    Limits limits;
    int workers = 64;                   // connections served at once; more wait their turn
    int requestMilliseconds = 10000;    // for a request's headers and body to arrive whole
    int decoders = 4;                   // requests decoded at once
    // Adds, all POST: /test/404 (a 404 page), /test/html (a web page with status 200),
    // /test/no-length (a good reply sent without Content-Length), /test/flaky (each distinct
    // request is first answered 503, then served when it comes again), /test/headers (a reply
    // whose result lists the request's User-Agent, Content-Type, Accept and Cache-Control).
    bool testRoutes = false;
};

class Server {
public:
    Server(InventoryStore& store, ServerOptions options = ServerOptions());
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds to `host`; port 0 takes any free port. Answers the port; raises rb::Exception.
    int Bind(const std::string& host, int port);
    // Serves (on a pool of threads) until Stop; call after Bind.
    void Run();
    // May be called from any thread, also before Run starts.
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace rb::service
