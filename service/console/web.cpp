#include "service/console/web.h"

#include <cctype>

#include "core/cp1252.h"

namespace rb::service::console {

Values ParseValues(std::string_view text) {
    Values values;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('&', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view pair = text.substr(start, end - start);
        if (!pair.empty()) {
            const size_t equals = pair.find('=');
            const std::string name = http::PercentDecode(pair.substr(0, equals), true);
            const std::string value = equals == std::string_view::npos
                                          ? std::string()
                                          : http::PercentDecode(pair.substr(equals + 1), true);
            values.emplace(name, value);
        }
        start = end + 1;
    }
    return values;
}

Values QueryOf(const http::Request& request) {
    return ParseValues(request.query);
}

Values FormOf(const http::Request& request) {
    const std::string type = request.Header("Content-Type");
    if (type.rfind("application/x-www-form-urlencoded", 0) != 0) return {};
    return ParseValues(request.body);
}

std::optional<int64_t> NumberIn(const Values& values, const char* name, size_t digits) {
    const auto it = values.find(name);
    if (it == values.end() || it->second.empty() || it->second.size() > digits ||
        it->second.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoll(it->second);
}

std::string CookieOf(const http::Request& request, std::string_view name) {
    const std::string header = request.Header("Cookie");
    size_t start = 0;
    while (start < header.size()) {
        size_t end = header.find(';', start);
        if (end == std::string::npos) end = header.size();
        size_t first = start;
        while (first < end && header[first] == ' ') ++first;
        const std::string_view pair(header.data() + first, end - first);
        const size_t equals = pair.find('=');
        if (equals != std::string_view::npos && pair.substr(0, equals) == name) {
            return std::string(pair.substr(equals + 1));
        }
        start = end + 1;
    }
    return "";
}

std::string UrlEncode(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        }
    }
    return out;
}

std::string QueryText(const Values& values) {
    std::string text;
    for (const auto& [name, value] : values) {
        if (value.empty()) continue;
        text += (text.empty() ? "" : "&") + UrlEncode(name) + "=" + UrlEncode(value);
    }
    return text;
}

void SecureHeaders(http::Response& response, bool secure) {
    response.SetHeader("Content-Security-Policy",
                       "default-src 'none'; style-src 'self'; img-src 'self'; "
                       "form-action 'self'; frame-ancestors 'none'; base-uri 'none'");
    response.SetHeader("X-Content-Type-Options", "nosniff");
    response.SetHeader("X-Frame-Options", "DENY");
    response.SetHeader("Referrer-Policy", "same-origin");
    response.SetHeader("Cache-Control", "no-store");
    if (secure) response.SetHeader("Strict-Transport-Security", "max-age=31536000");
}

http::Response Redirect(const std::string& location) {
    http::Response response(303, "text/plain; charset=utf-8", "");
    // Only paths of this service: an address that leaves it becomes the console's start.
    const bool local = location.size() > 1 && location[0] == '/' && location[1] != '/' &&
                       location[1] != '\\' && location.find_first_of("\r\n") == std::string::npos;
    response.SetHeader("Location", local ? location : "/consola/");
    return response;
}

bool FromBrowser(const std::string& utf8, std::string& cp1252) {
    cp1252 = Utf8ToCp1252(utf8);
    return Cp1252ToUtf8(cp1252) == utf8;
}

}  // namespace rb::service::console
