// One connection of the HTTP server (server.cpp), over plain TCP or TLS: it reads requests one
// after the other, each under its own deadline, has a worker answer each, and writes the
// answers back. Internal to the HTTP layer.
#pragma once

#include <boost/asio/thread_pool.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>

#include <atomic>
#include <memory>
#include <optional>

#include "service/http/router.h"
#include "service/http/server.h"

namespace rb::service::http {

namespace beast = boost::beast;
namespace bhttp = boost::beast::http;

// What every connection of one server shares.
struct Shared {
    Shared(const Router& r, ServerOptions o) : router(r), options(std::move(o)) {}
    // Reserves `bytes` of the body budget; false when that would pass it.
    bool TakeBody(size_t bytes);
    void GiveBody(size_t bytes) { bodyBytes -= bytes; }

    const Router& router;
    const ServerOptions options;
    std::atomic<int> connections{0};
    std::atomic<size_t> bodyBytes{0};
    boost::asio::thread_pool* workers = nullptr;
};

// A plain connection's stream, or a TLS one's.
using PlainStream = beast::tcp_stream;
using TlsStream = beast::ssl_stream<beast::tcp_stream>;

template <class Stream>
class Session : public std::enable_shared_from_this<Session<Stream>> {
public:
    template <class... Args>
    Session(Shared& shared, Args&&... streamArgs);
    ~Session();
    void Start();

private:
    using Parser = bhttp::request_parser<bhttp::string_body>;
    static constexpr bool kSecure = !std::is_same_v<Stream, PlainStream>;

    beast::tcp_stream& Tcp() { return beast::get_lowest_layer(stream_); }
    void ReadRequest(bool first);
    void ReadHeader();
    void OnHeader(beast::error_code ec);
    void ReadBody();
    void OnBody(beast::error_code ec);
    void Answer(Request request);
    void Write(Response response);
    void Refuse(int status, const char* text);
    void Linger();
    void Drain();
    void Close();

    Shared& shared_;
    Stream stream_;
    beast::flat_buffer buffer_;
    std::optional<Parser> parser_;
    const Route* route_ = nullptr;
    std::vector<int64_t> numbers_;  // of the route's path
    size_t reserved_ = 0;  // of the body budget, for the request being read
    int calls_ = 0;
    bool keepAlive_ = false;
    std::optional<bhttp::response<bhttp::string_body>> response_;
    std::optional<bhttp::response<bhttp::empty_body>> continue_;
};

extern template class Session<PlainStream>;
extern template class Session<TlsStream>;

}  // namespace rb::service::http
