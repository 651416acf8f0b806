#include "service/http/session.h"

#include <boost/asio/post.hpp>

#include <exception>

#include "core/exception.h"

namespace rb::service::http {
namespace {

std::string Text(beast::string_view s) {
    return std::string(s.data(), s.size());
}

// The request as the handlers see it.
Request MakeRequest(bhttp::request<bhttp::string_body>& message, const std::string& peer,
                    bool secure) {
    Request request;
    request.method = Text(message.method_string());
    request.target = Text(message.target());
    const size_t query = request.target.find('?');
    request.path = PercentDecode(std::string_view(request.target).substr(0, query), false);
    if (query != std::string::npos) request.query = request.target.substr(query + 1);
    for (const auto& field : message) {
        request.headers.emplace_back(Text(field.name_string()), Text(field.value()));
    }
    request.body = std::move(message.body());
    request.peer = peer;
    request.secure = secure;
    return request;
}

std::string PeerOf(beast::tcp_stream& tcp) {
    beast::error_code ec;
    const auto endpoint = tcp.socket().remote_endpoint(ec);
    if (ec) return "";
    const auto address = endpoint.address();
    return address.is_v6() && address.to_v6().is_v4_mapped()
               ? address.to_v6().to_v4().to_string()
               : address.to_string();
}

}  // namespace

bool Shared::TakeBody(size_t bytes) {
    size_t held = bodyBytes.load();
    do {
        if (held + bytes > options.bodyBudget) return false;
    } while (!bodyBytes.compare_exchange_weak(held, held + bytes));
    return true;
}

template <class Stream>
template <class... Args>
Session<Stream>::Session(Shared& shared, Args&&... streamArgs)
    : shared_(shared), stream_(std::forward<Args>(streamArgs)...) {
    ++shared_.connections;
}

template <class Stream>
Session<Stream>::~Session() {
    if (reserved_) shared_.GiveBody(reserved_);
    --shared_.connections;
}

template <class Stream>
void Session<Stream>::Start() {
    Tcp().socket().set_option(boost::asio::ip::tcp::no_delay(true));
    if constexpr (kSecure) {
        Tcp().expires_after(shared_.options.requestDeadline);
        stream_.async_handshake(boost::asio::ssl::stream_base::server,
                                [self = this->shared_from_this()](beast::error_code ec) {
                                    if (ec) return self->Close();
                                    self->ReadRequest(true);
                                });
    } else {
        ReadRequest(true);
    }
}

// The first request of a connection must arrive within the deadline of its acceptance; a
// later one may be waited for while the connection is idle, and from its first byte has a
// deadline of its own.
template <class Stream>
void Session<Stream>::ReadRequest(bool first) {
    parser_.emplace();
    parser_->header_limit(static_cast<uint32_t>(shared_.options.maxHeader));
    parser_->body_limit(shared_.router.LargestBody());
    route_ = nullptr;
    if (first) {
        if (!kSecure) Tcp().expires_after(shared_.options.requestDeadline);  // TLS: since accepted
        return ReadHeader();
    }
    if (buffer_.size() > 0) {  // the client sent it already, behind the previous one
        Tcp().expires_after(shared_.options.requestDeadline);
        return ReadHeader();
    }
    Tcp().expires_after(shared_.options.keepAliveIdle);
    stream_.async_read_some(
        buffer_.prepare(4096),
        [self = this->shared_from_this()](beast::error_code ec, size_t size) {
            if (ec) return self->Close();  // idle too long, or the client went
            self->buffer_.commit(size);
            self->Tcp().expires_after(self->shared_.options.requestDeadline);
            self->ReadHeader();
        });
}

template <class Stream>
void Session<Stream>::ReadHeader() {
    bhttp::async_read_header(stream_, buffer_, *parser_,
                             [self = this->shared_from_this()](beast::error_code ec, size_t) {
                                 self->OnHeader(ec);
                             });
}

// Refused before the body is read: no route, a method the path does not take, an encoded
// body (the limits apply to what is sent), a body over the route's limit or over the budget.
template <class Stream>
void Session<Stream>::OnHeader(beast::error_code ec) {
    if (ec == bhttp::error::header_limit) return Refuse(431, "Cabeceras demasiado grandes");
    if (ec == bhttp::error::body_limit) return Refuse(413, "Cuerpo demasiado grande");
    if (ec == beast::error::timeout || ec == bhttp::error::end_of_stream ||
        ec == boost::asio::error::eof || ec == boost::asio::error::operation_aborted) {
        return Close();
    }
    if (ec) return Refuse(400, "Petición mal formada");
    const auto& header = parser_->get();
    const Match match = shared_.router.Find(Text(header.method_string()),
                                            PercentDecode(Text(header.target()).substr(
                                                              0, Text(header.target()).find('?')),
                                                          false));
    if (!match.route && !match.allow.empty()) {
        Response response = TextResponse(405, "Método no permitido");
        response.SetHeader("Allow", match.allow);
        response.close = true;
        return Write(std::move(response));
    }
    if (!match.route) return Refuse(404, "No encontrado");
    route_ = match.route;
    numbers_ = match.numbers;
    if (header.count(bhttp::field::content_encoding)) {
        return Refuse(415, "Codificación de contenido no admitida");
    }
    const size_t length = parser_->content_length().value_or(0);
    if (length > route_->maxBody) return Refuse(413, "Cuerpo demasiado grande");
    parser_->body_limit(route_->maxBody);
    reserved_ = parser_->content_length() ? length : route_->maxBody;
    if (!shared_.TakeBody(reserved_)) {
        reserved_ = 0;
        return Refuse(503, "Servicio ocupado; vuelva a intentarlo");
    }
    if (route_->deadline.count() > 0) Tcp().expires_after(route_->deadline);
    if (!bhttp::token_list(header[bhttp::field::expect]).exists("100-continue")) {
        return ReadBody();
    }
    continue_.emplace(bhttp::status::continue_, header.version());
    bhttp::async_write(stream_, *continue_,
                       [self = this->shared_from_this()](beast::error_code ec, size_t) {
                           if (ec) return self->Close();
                           self->ReadBody();
                       });
}

template <class Stream>
void Session<Stream>::ReadBody() {
    bhttp::async_read(stream_, buffer_, *parser_,
                      [self = this->shared_from_this()](beast::error_code ec, size_t) {
                          self->OnBody(ec);
                      });
}

template <class Stream>
void Session<Stream>::OnBody(beast::error_code ec) {
    if (ec == bhttp::error::body_limit) return Refuse(413, "Cuerpo demasiado grande");
    if (ec) return Close();  // late (the deadline), cut short, or malformed
    Tcp().expires_never();   // while a worker answers
    ++calls_;
    keepAlive_ = parser_->get().keep_alive() && calls_ < shared_.options.keepAliveCalls;
    Request request = MakeRequest(parser_->get(), PeerOf(Tcp()), kSecure);
    request.numbers = std::move(numbers_);
    boost::asio::post(*shared_.workers, [self = this->shared_from_this(),
                                         request = std::move(request)]() mutable {
        self->Answer(std::move(request));
    });
}

// On a worker: the handler's response (an error it raises becomes a 500), handed back to the
// connection's own strand to be written.
template <class Stream>
void Session<Stream>::Answer(Request request) {
    Response response;
    try {
        response = shared_.router.Answer(*route_, request);
    } catch (const std::exception& e) {
        response = TextResponse(500, std::string("Error del servicio: ") + e.what());
    }
    if (reserved_) {
        shared_.GiveBody(reserved_);
        reserved_ = 0;
    }
    boost::asio::post(stream_.get_executor(),
                      [self = this->shared_from_this(), response = std::move(response)]() mutable {
                          self->Write(std::move(response));
                      });
}

template <class Stream>
void Session<Stream>::Refuse(int status, const char* text) {
    Response response = TextResponse(status, text);
    response.close = true;
    Write(std::move(response));
}

template <class Stream>
void Session<Stream>::Write(Response r) {
    if (reserved_) {
        shared_.GiveBody(reserved_);
        reserved_ = 0;
    }
    if (r.close) keepAlive_ = false;
    response_.emplace(static_cast<bhttp::status>(r.status), 11);
    if (!r.contentType.empty()) response_->set(bhttp::field::content_type, r.contentType);
    for (const auto& [name, value] : r.headers) response_->insert(name, value);
    response_->body() = std::move(r.body);
    response_->keep_alive(keepAlive_);
    if (r.chunked) {
        response_->chunked(true);
    } else {
        response_->prepare_payload();
    }
    Tcp().expires_after(shared_.options.writeDeadline);
    bhttp::async_write(stream_, *response_,
                       [self = this->shared_from_this()](beast::error_code ec, size_t) {
                           self->response_.reset();
                           if (ec) return self->Close();
                           if (!self->keepAlive_) return self->Linger();
                           self->ReadRequest(false);
                       });
}

// After the last response, the client may still be sending (a body that was refused unread):
// the service stops sending and reads what comes for a moment, so that the client reads the
// response instead of a reset connection.
template <class Stream>
void Session<Stream>::Linger() {
    if constexpr (kSecure) {
        Close();
    } else {
        beast::error_code ignored;
        Tcp().socket().shutdown(boost::asio::ip::tcp::socket::shutdown_send, ignored);
        Tcp().expires_after(std::chrono::seconds(2));
        Drain();
    }
}

template <class Stream>
void Session<Stream>::Drain() {
    buffer_.clear();
    stream_.async_read_some(buffer_.prepare(65536),
                            [self = this->shared_from_this()](beast::error_code ec, size_t) {
                                if (ec) return self->Close();
                                self->Drain();
                            });
}

template <class Stream>
void Session<Stream>::Close() {
    beast::error_code ignored;
    if constexpr (kSecure) {
        Tcp().expires_after(std::chrono::seconds(1));
        stream_.async_shutdown([self = this->shared_from_this()](beast::error_code) {
            beast::error_code ignored;
            self->Tcp().socket().shutdown(boost::asio::ip::tcp::socket::shutdown_both, ignored);
            self->Tcp().close();
        });
    } else {
        Tcp().socket().shutdown(boost::asio::ip::tcp::socket::shutdown_both, ignored);
        Tcp().close();
    }
}

template class Session<PlainStream>;
template class Session<TlsStream>;
template Session<PlainStream>::Session(Shared&, boost::asio::ip::tcp::socket&&);
template Session<TlsStream>::Session(Shared&, boost::asio::ip::tcp::socket&&,
                                     boost::asio::ssl::context&);

}  // namespace rb::service::http
