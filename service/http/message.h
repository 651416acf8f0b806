// One HTTP request as the service's handlers see it, and the response they give. The HTTP
// layer (server.h) reads the one and writes the other; nothing else of the wire reaches them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rb::service::http {

using Fields = std::vector<std::pair<std::string, std::string>>;

// Who makes a request, as the gate found out (no account: anyone).
struct Identity {
    int64_t accountId = 0;
    std::string name;       // code page 1252
    int role = -1;          // the account's role (the store's Role), -1 for none
    std::string csrf;       // the session's form token; empty for an API token
    std::string session;    // the hash of the session's cookie, if signed in by one
};

struct Request {
    std::string method;  // "GET", "POST", ...
    std::string target;  // as sent: path and query
    std::string path;    // the target up to "?", percent-decoded
    std::string query;   // the target after "?", as sent
    Fields headers;
    std::string body;
    std::string peer;    // the client's address
    bool secure = false; // arrived over TLS
    std::vector<int64_t> numbers;  // the numbers the route's path holds
    Identity identity;             // filled by the router's gate

    // The first header of that name (any case), or "".
    std::string Header(std::string_view name) const;
};

struct Response {
    int status = 200;
    std::string contentType;  // none when empty
    Fields headers;           // besides Content-Type and Content-Length
    std::string body;
    bool chunked = false;     // sent in chunks, without Content-Length
    bool close = false;       // the connection ends after this response

    Response() = default;
    Response(int status, std::string contentType, std::string body)
        : status(status), contentType(std::move(contentType)), body(std::move(body)) {}
    void SetHeader(std::string name, std::string value) {
        headers.emplace_back(std::move(name), std::move(value));
    }
};

// A short plain-text response, for refusals.
Response TextResponse(int status, std::string text);

// "%41" and "+" decoded (for paths and form values); a malformed escape stays as it is.
std::string PercentDecode(std::string_view text, bool plusIsSpace);

}  // namespace rb::service::http
