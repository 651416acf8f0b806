#include "service/server.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "core/cp1252.h"
#include "core/exception.h"
#include "service/connection_guard.h"

namespace rb::service {
namespace {

const char* const kBinaryType = "application/octet-stream";
constexpr time_t kSocketTimeoutSeconds = 30;
constexpr std::chrono::seconds kKeepAliveIdle{5};
constexpr size_t kKeepAliveCalls = 100;  // on one connection, before it is closed
const char* const kShownHeaders[] = {"User-Agent", "Content-Type", "Accept", "Cache-Control"};

const char* const kNotFoundPage =
    "<html>\n<head><title>404 Not Found</title></head>\n"
    "<body><h1>Not Found</h1>\n<p>The requested URL was not found on this server.</p>\n"
    "</body>\n</html>\n";
const char* const kWebPage =
    "<!DOCTYPE html>\n<html>\n<head><title>Kelto</title></head>\n"
    "<body>\n<p>Esta es una página web, no el servicio.</p>\n</body>\n</html>\n";

// At most `count` holders at once; the others wait their turn.
class Slots {
public:
    explicit Slots(int count) : free_(count > 0 ? count : 1) {}
    void Acquire() {
        std::unique_lock<std::mutex> lock(mutex_);
        freed_.wait(lock, [this] { return free_ > 0; });
        --free_;
    }
    void Release() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++free_;
        }
        freed_.notify_one();
    }

private:
    std::mutex mutex_;
    std::condition_variable freed_;
    int free_;
};

}  // namespace

struct Server::Impl {
    Impl(InventoryStore& s, ServerOptions o)
        : store(s),
          options(std::move(o)),
          guard(std::chrono::milliseconds(options.requestMilliseconds)),
          decoding(options.decoders) {}

    // The request body, or false when it cannot be had whole (the reply is then set): too
    // large (413; a declared length over the limit is refused by the HTTP layer before any
    // byte is read), or cut short (400).
    bool ReadBody(const httplib::Request& req, const httplib::ContentReader& read,
                  httplib::Response& res, std::string& body) {
        bool tooLarge = false;
        const bool complete = read([&](const char* data, size_t size) {
            if (body.size() + size > options.limits.maxBody) {
                tooLarge = true;
                return false;  // stop reading
            }
            body.append(data, size);
            return true;
        });
        if (complete && !tooLarge) {
            guard.RequestRead(req.remote_addr, req.remote_port);
            return true;
        }
        res.status = tooLarge || res.status == 413 ? 413 : 400;
        res.set_header("Connection", "close");  // the rest of the body is not read
        return false;
    }

    // A few decodings at a time, each bounded by the limits; the store keeps its own lock
    // only while it writes.
    Reply Handle(const std::string& body, const std::string& peer) {
        decoding.Acquire();
        struct Release {
            Slots& slots;
            ~Release() { slots.Release(); }
        } release{decoding};
        return HandleMessage(body, peer, store, options.limits);
    }

    void Post(const char* path,
              std::function<void(const httplib::Request&, httplib::Response&, const std::string&)>
                  answer) {
        http.Post(path, [this, answer](const httplib::Request& req, httplib::Response& res,
                                       const httplib::ContentReader& read) {
            std::string body;
            if (ReadBody(req, read, res, body)) answer(req, res, body);
            guard.RequestAnswered(req.remote_addr, req.remote_port, kKeepAliveIdle);
        });
    }

    void Serve(const httplib::Request& req, httplib::Response& res, const std::string& body) {
        const Reply reply = Handle(body, req.remote_addr);
        res.status = reply.status;
        res.set_content(reply.body, kBinaryType);
    }

    void AddRoutes();
    void AddTestRoutes();

    InventoryStore& store;
    const ServerOptions options;
    ConnectionGuard guard;
    httplib::Server http;
    Slots decoding;
    std::mutex seenMutex;
    std::set<size_t> seen;  // /test/flaky: requests answered 503 once already
    std::atomic<bool> runStarted{false}, runFinished{false}, stopped{false};
};

void Server::Impl::AddRoutes() {
    const size_t workers = static_cast<size_t>(std::max(1, options.workers));
    // The library takes the pool it is handed and deletes it when it stops.
    http.new_task_queue = [workers] { return new httplib::ThreadPool(workers); };
    http.set_tcp_nodelay(true);
    http.set_keep_alive_timeout(kKeepAliveIdle.count());
    http.set_keep_alive_max_count(kKeepAliveCalls);
    http.set_read_timeout(kSocketTimeoutSeconds);
    http.set_write_timeout(kSocketTimeoutSeconds);
    http.set_payload_max_length(options.limits.maxBody);
    // A compressed transfer encoding would be inflated by the HTTP layer before any of our
    // limits applies; the client never sends one.
    http.set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
        if (!req.has_header("Content-Encoding")) return httplib::Server::HandlerResponse::Unhandled;
        res.status = 415;
        res.set_header("Connection", "close");
        return httplib::Server::HandlerResponse::Handled;
    });
    Post(kServicePath, [this](auto& req, auto& res, auto& body) { Serve(req, res, body); });
    http.Get(kServicePath, [](const httplib::Request&, httplib::Response& res) {
        res.status = 405;
        res.set_header("Allow", "POST");
    });
}

void Server::Impl::AddTestRoutes() {
    Post("/test/404", [](auto&, auto& res, auto&) {
        res.status = 404;
        res.set_content(kNotFoundPage, "text/html");
    });
    Post("/test/html", [](auto&, auto& res, auto&) { res.set_content(kWebPage, "text/html"); });
    Post("/test/no-length", [this](auto& req, auto& res, auto& body) {
        const Reply reply = Handle(body, req.remote_addr);
        res.status = reply.status;
        res.set_chunked_content_provider(kBinaryType, [reply](size_t, httplib::DataSink& sink) {
            sink.write(reply.body.data(), reply.body.size());
            sink.done();
            return true;
        });
    });
    // What the client's HTTP library sent, as the result of whatever call it was.
    Post("/test/headers", [](auto& req, auto& res, auto& body) {
        std::string text;
        for (const char* name : kShownHeaders) {
            text += std::string(name) + ": " + req.get_header_value(name) + "\n";
        }
        Guid clientId{};
        if (body.size() >= 28) std::copy(body.begin() + 12, body.begin() + 28, clientId.begin());
        res.set_content(ResultMessage(clientId, "Headers", Cp1252ToUtf16(text)), kBinaryType);
    });
    Post("/test/flaky", [this](auto& req, auto& res, auto& body) {
        bool first;
        {
            std::lock_guard<std::mutex> lock(seenMutex);
            first = seen.insert(std::hash<std::string>()(body)).second;
        }
        if (first) {
            res.status = 503;
            res.set_content("Vuelva a intentarlo", "text/plain");
        } else {
            Serve(req, res, body);
        }
    });
}

Server::Server(InventoryStore& store, ServerOptions options)
    : impl_(std::make_unique<Impl>(store, std::move(options))) {
    impl_->AddRoutes();
    if (impl_->options.testRoutes) impl_->AddTestRoutes();
}

Server::~Server() {
    Stop();
}

int Server::Bind(const std::string& host, int port) {
    const int bound = port == 0 ? impl_->http.bind_to_any_port(host)
                                : (impl_->http.bind_to_port(host, port) ? port : -1);
    if (bound <= 0) {
        throw Exception("No se pudo escuchar en " + host + ":" + std::to_string(port));
    }
    impl_->guard.Watch(bound);
    return bound;
}

void Server::Run() {
    impl_->runStarted = true;
    if (!impl_->stopped) impl_->http.listen_after_bind();
    impl_->runFinished = true;
}

void Server::Stop() {
    impl_->stopped = true;
    if (!impl_->runStarted) return;
    // Run may be between its check and the start of listening: wait for either.
    while (!impl_->http.is_running() && !impl_->runFinished) std::this_thread::yield();
    impl_->http.stop();
}

}  // namespace rb::service
