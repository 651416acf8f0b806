// A target URL split into what an HTTP request needs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rb {

enum class HttpScheme : uint8_t { None, Http, Https };

struct HttpUrl {
    HttpScheme scheme = HttpScheme::None;
    std::string host;
    uint16_t port = 0;  // the scheme's default (80, 443) when the URL gives none
    std::string path;   // from the first "/" after the host on, query included; may be empty
};

// "http://host[:port][/path]" or "https://...", the scheme in any case; user information
// before the host ("user:password@") is skipped, a fragment dropped. False for any other scheme
// or text that is no such URL.
bool ParseHttpUrl(std::string_view text, HttpUrl& url);

}  // namespace rb
