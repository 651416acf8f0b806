#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "core/exception.h"
#include "service/http_post.h"

namespace rb::test {
namespace {

using Clock = std::chrono::steady_clock;

// Waits until the socket is ready for `events` or the deadline passes (which raises).
void WaitFor(int socket, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) throw Exception("HTTP: se agotó el tiempo de espera");
        pollfd p{socket, events, 0};
        const int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready > 0) return;
        if (ready < 0 && errno != EINTR) throw Exception(std::string("HTTP: ") + strerror(errno));
    }
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

HttpPoster::HttpPoster(const std::string& url) {
    const std::string scheme = "http://";
    if (url.compare(0, scheme.size(), scheme) != 0) throw Exception("HTTP: dirección " + url);
    const size_t slash = url.find('/', scheme.size());
    const std::string authority = url.substr(scheme.size(), slash - scheme.size());
    path_ = slash == std::string::npos ? "/" : url.substr(slash);
    const size_t colon = authority.rfind(':');
    host_ = authority.substr(0, colon);
    if (colon != std::string::npos) port_ = std::stoi(authority.substr(colon + 1));
}

HttpPoster::~HttpPoster() {
    Close();
}

void HttpPoster::Close() {
    if (socket_ >= 0) ::close(socket_);
    socket_ = -1;
    reused_ = false;
}

void HttpPoster::Connect(Clock::time_point deadline) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host_.c_str(), std::to_string(port_).c_str(), &hints, &found) != 0) {
        throw Exception("HTTP: no se encuentra " + host_);
    }
    const std::unique_ptr<addrinfo, void (*)(addrinfo*)> addresses(found, freeaddrinfo);
    socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket_ < 0) throw Exception(std::string("HTTP: ") + strerror(errno));
    const int one = 1;
    setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (::connect(socket_, found->ai_addr, found->ai_addrlen) != 0 && errno != EINPROGRESS) {
        const std::string reason = strerror(errno);
        Close();
        throw Exception("HTTP: " + reason);
    }
    WaitFor(socket_, POLLOUT, deadline);
    int error = 0;
    socklen_t length = sizeof error;
    getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length);
    if (error != 0) {
        Close();
        throw Exception(std::string("HTTP: ") + strerror(error));
    }
}

std::string HttpPoster::Request(const std::string& body) const {
    return "POST " + path_ + " HTTP/1.1\r\nHost: " + host_ + ":" + std::to_string(port_) +
           "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

void HttpPoster::Send(const std::string& bytes, Clock::time_point deadline) {
    for (size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = ::send(socket_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += size_t(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            WaitFor(socket_, POLLOUT, deadline);
        } else {
            throw Exception(std::string("HTTP: ") + strerror(errno));
        }
    }
}

// The status and body of one reply; `nothing` tells whether not a byte of it came.
HttpPoster::Reply HttpPoster::Receive(Clock::time_point deadline, bool& nothing) {
    std::string data;
    size_t headersEnd = std::string::npos, bodyLength = std::string::npos;
    bool closing = false;
    nothing = true;
    for (;;) {
        if (headersEnd == std::string::npos) {
            headersEnd = data.find("\r\n\r\n");
            if (headersEnd != std::string::npos) {
                const std::string headers = Lower(data.substr(0, headersEnd));
                const size_t at = headers.find("\r\ncontent-length:");
                if (at == std::string::npos) throw Exception("HTTP: respuesta sin longitud");
                bodyLength = std::stoull(headers.substr(at + 17));
                closing = headers.find("\r\nconnection: close") != std::string::npos;
            }
        }
        if (headersEnd != std::string::npos && data.size() >= headersEnd + 4 + bodyLength) break;
        char buffer[65536];
        const ssize_t n = ::recv(socket_, buffer, sizeof buffer, 0);
        if (n > 0) {
            data.append(buffer, size_t(n));
            nothing = false;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            WaitFor(socket_, POLLIN, deadline);
        } else {
            throw Exception(n == 0 ? "HTTP: conexión cerrada"
                                   : std::string("HTTP: ") + strerror(errno));
        }
    }
    Reply reply;
    if (data.compare(0, 9, "HTTP/1.1 ") != 0 && data.compare(0, 9, "HTTP/1.0 ") != 0) {
        throw Exception("HTTP: respuesta ilegible");
    }
    reply.status = std::stoi(data.substr(9, 3));
    reply.body = data.substr(headersEnd + 4, bodyLength);
    if (closing) {
        Close();
    } else {
        reused_ = true;
    }
    return reply;
}

HttpPoster::Reply HttpPoster::Post(const std::string& body, std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    const std::string request = Request(body);
    for (int attempt = 0;; ++attempt) {
        const bool kept = socket_ >= 0 && reused_;
        bool nothing = true;
        try {
            if (socket_ < 0) Connect(deadline);
            Send(request, deadline);
            return Receive(deadline, nothing);
        } catch (const Exception&) {
            Close();
            // A kept connection the service closed while it was idle: once more, anew.
            if (!(kept && nothing && attempt == 0)) throw;
        }
    }
}

void HttpPoster::PostAndHangUp(const std::string& body) {
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
    try {
        if (socket_ < 0) Connect(deadline);
        Send(Request(body), deadline);
    } catch (const Exception&) {
        // Lost on the way out instead: the same for the client.
    }
    Close();
}

}  // namespace rb::test
