#include "remoting/http_url.h"

#include "core/text.h"

namespace rb {
namespace {

struct SchemeRow {
    const char* prefix;
    HttpScheme scheme;
    uint16_t defaultPort;
};

const SchemeRow kSchemes[] = {
    // prefix    scheme            default port
    {"http://", HttpScheme::Http, 80},
    {"https://", HttpScheme::Https, 443},
};

bool ParsePort(std::string_view digits, uint16_t& port) {
    if (digits.empty() || digits.size() > 5) return false;
    uint32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    if (value == 0 || value > 65535) return false;
    port = static_cast<uint16_t>(value);
    return true;
}

}  // namespace

bool ParseHttpUrl(std::string_view text, HttpUrl& url) {
    const SchemeRow* row = nullptr;
    for (const SchemeRow& r : kSchemes) {
        if (StartsWithText(text, r.prefix)) row = &r;
    }
    if (!row) return false;
    std::string_view rest = text.substr(std::string_view(row->prefix).size());
    rest = rest.substr(0, rest.find('#'));
    const size_t authorityEnd = rest.find_first_of("/?");
    std::string_view authority = rest.substr(0, authorityEnd);
    const std::string_view path =
        authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);
    const size_t at = authority.rfind('@');
    if (at != std::string_view::npos) authority = authority.substr(at + 1);

    std::string_view host = authority;
    size_t colon = authority.find(':');
    if (!authority.empty() && authority[0] == '[') {  // IPv6 literal
        const size_t close = authority.find(']');
        if (close == std::string_view::npos) return false;
        host = authority.substr(1, close - 1);
        colon = close + 1 < authority.size() ? close + 1 : std::string_view::npos;
        if (colon != std::string_view::npos && authority[colon] != ':') return false;
    } else if (colon != std::string_view::npos) {
        host = authority.substr(0, colon);
    }
    const std::string_view port =
        colon == std::string_view::npos ? std::string_view() : authority.substr(colon + 1);
    if (colon != std::string_view::npos && port.empty()) return false;
    if (host.empty()) return false;

    HttpUrl parsed;
    parsed.scheme = row->scheme;
    parsed.host = std::string(host);
    parsed.port = row->defaultPort;
    if (!port.empty() && !ParsePort(port, parsed.port)) return false;
    parsed.path = std::string(path);
    url = parsed;
    return true;
}

}  // namespace rb
