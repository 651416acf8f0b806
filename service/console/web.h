// What the console's pages read from a request and write into a response: form and query
// values, cookies, addresses built from values, redirections and the headers every page sends.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "service/http/message.h"

namespace rb::service::console {

// "a=1&b=x+y" as names and values (percent-decoded; the first of a repeated name wins), UTF-8
// as the browser sends it.
using Values = std::map<std::string, std::string>;
Values ParseValues(std::string_view text);

// A request's query values, or its form's (a POST of application/x-www-form-urlencoded).
Values QueryOf(const http::Request& request);
Values FormOf(const http::Request& request);

// A value that is a whole number of at most `digits` digits; nullopt for anything else (or
// none).
std::optional<int64_t> NumberIn(const Values& values, const char* name, size_t digits = 18);

// A cookie's value, or "".
std::string CookieOf(const http::Request& request, std::string_view name);

// A value for a query or a path: everything but letters, digits and "-._~" percent-encoded.
std::string UrlEncode(std::string_view text);

// Values to a query ("a=1&b=x%20y"), leaving out empty ones.
std::string QueryText(const Values& values);

// The headers every console page and API answer carries: no caching of what staff read, no
// script of any origin, no framing, no guessing of types; HSTS over TLS.
void SecureHeaders(http::Response& response, bool secure);

// 303 to `location` (a path of this service).
http::Response Redirect(const std::string& location);

// UTF-8 from the browser to the service's code page 1252: false when the text holds a
// character that code page lacks.
bool FromBrowser(const std::string& utf8, std::string& cp1252);

}  // namespace rb::service::console
