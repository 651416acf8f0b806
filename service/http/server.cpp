#include "service/http/server.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl/context.hpp>
#include <boost/asio/strand.hpp>
#include <boost/asio/write.hpp>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "core/exception.h"
#include "service/http/session.h"

namespace rb::service::http {
namespace net = boost::asio;
using tcp = net::ip::tcp;

namespace {

// What a connection over the limit is told before it is closed.
const char kBusyReply[] =
    "HTTP/1.1 503 Service Unavailable\r\nContent-Type: text/plain; charset=utf-8\r\n"
    "Content-Length: 39\r\nConnection: close\r\nRetry-After: 5\r\n\r\n"
    "Servicio ocupado; vuelva a intentarlo.\n";

}  // namespace

struct Server::Impl {
    Impl(const Router& router, ServerOptions o)
        : shared(router, std::move(o)),
          workers(static_cast<size_t>(std::max(1, shared.options.workers))),
          tls(net::ssl::context::tls_server),
          io(std::max(1, shared.options.ioThreads)),
          acceptor(net::make_strand(io)) {
        shared.workers = &workers;
    }
    ~Impl() {
        io.stop();
        workers.join();  // handlers still running finish; their responses are dropped
    }

    void LoadTls();
    void Accept();
    void Busy(tcp::socket socket);

    // Destroyed in reverse: the connections (held by the io context's pending work) go
    // before what they share, the TLS context among it.
    Shared shared;
    net::thread_pool workers;
    net::ssl::context tls;
    net::io_context io;
    tcp::acceptor acceptor;
    bool secure = false;
    std::atomic<bool> stopped{false};
};

void Server::Impl::LoadTls() {
    const ServerOptions& o = shared.options;
    if (o.tlsCertificate.empty() && o.tlsKey.empty()) return;
    try {
        tls.set_options(net::ssl::context::default_workarounds | net::ssl::context::no_sslv2 |
                        net::ssl::context::no_sslv3 | net::ssl::context::no_tlsv1 |
                        net::ssl::context::no_tlsv1_1 | net::ssl::context::single_dh_use);
        tls.use_certificate_chain_file(o.tlsCertificate);
        tls.use_private_key_file(o.tlsKey, net::ssl::context::pem);
    } catch (const std::exception& e) {
        throw Exception("No se pudo preparar TLS con " + o.tlsCertificate + " y " + o.tlsKey +
                        ": " + e.what());
    }
    secure = true;
}

void Server::Impl::Accept() {
    acceptor.async_accept(net::make_strand(io), [this](beast::error_code ec, tcp::socket socket) {
        if (ec == net::error::operation_aborted || !acceptor.is_open()) return;
        if (!ec) {
            if (shared.connections.load() >= shared.options.maxConnections) {
                Busy(std::move(socket));
            } else if (secure) {
                std::make_shared<Session<TlsStream>>(shared, std::move(socket), tls)->Start();
            } else {
                std::make_shared<Session<PlainStream>>(shared, std::move(socket))->Start();
            }
        }
        Accept();
    });
}

// A quick refusal, so that a client beyond the limit learns it at once.
void Server::Impl::Busy(tcp::socket socket) {
    auto held = std::make_shared<tcp::socket>(std::move(socket));
    net::async_write(*held, net::buffer(kBusyReply, sizeof kBusyReply - 1),
                     [held](beast::error_code, size_t) {
                         beast::error_code ignored;
                         held->shutdown(tcp::socket::shutdown_both, ignored);
                         held->close(ignored);
                     });
}

Server::Server(const Router& router, ServerOptions options)
    : impl_(std::make_unique<Impl>(router, std::move(options))) {}

Server::~Server() {
    Stop();
}

int Server::Bind(const std::string& host, int port) {
    impl_->LoadTls();
    beast::error_code ec;
    const auto address = net::ip::make_address(host, ec);
    const tcp::endpoint endpoint(address, static_cast<unsigned short>(port));
    auto& acceptor = impl_->acceptor;
    if (!ec) acceptor.open(endpoint.protocol(), ec);
    if (!ec) acceptor.set_option(net::socket_base::reuse_address(true), ec);
    if (!ec) acceptor.bind(endpoint, ec);
    if (!ec) acceptor.listen(net::socket_base::max_listen_connections, ec);
    if (ec) {
        throw Exception("No se pudo escuchar en " + host + ":" + std::to_string(port) + ": " +
                        ec.message());
    }
    return acceptor.local_endpoint().port();
}

void Server::Run() {
    if (impl_->stopped) return;
    impl_->Accept();
    std::vector<std::thread> threads;
    for (int i = 1; i < impl_->shared.options.ioThreads; ++i) {
        threads.emplace_back([this] { impl_->io.run(); });
    }
    impl_->io.run();
    for (std::thread& t : threads) t.join();
}

void Server::Stop() {
    impl_->stopped = true;
    impl_->io.stop();
}

bool Server::Secure() const {
    return impl_->secure;
}

}  // namespace rb::service::http
