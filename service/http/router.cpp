#include "service/http/router.h"

#include <algorithm>

namespace rb::service::http {
namespace {

constexpr size_t kMaxDigits = 18;
constexpr std::string_view kNumber = "{n}";

// Whether `path` is the route's whole path, with its numbers; or, for a prefix route, how long
// the prefix is. 0 when the route does not take the path.
struct Fit {
    size_t score = 0;  // prefixes by their length; whole paths above every prefix
    std::vector<int64_t> numbers;
};

std::vector<std::string_view> Segments(std::string_view path) {
    std::vector<std::string_view> segments;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            segments.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return segments;
}

Fit FitOf(const Route& route, std::string_view path) {
    Fit fit;
    if (route.prefix) {
        if (path.substr(0, route.path.size()) == route.path) fit.score = route.path.size();
        return fit;
    }
    const std::vector<std::string_view> want = Segments(route.path), have = Segments(path);
    if (want.size() != have.size()) return fit;
    for (size_t i = 0; i < want.size(); ++i) {
        if (want[i] != kNumber) {
            if (want[i] != have[i]) return Fit();
            continue;
        }
        const std::string_view digits = have[i];
        if (digits.empty() || digits.size() > kMaxDigits ||
            digits.find_first_not_of("0123456789") != std::string_view::npos) {
            return Fit();
        }
        fit.numbers.push_back(std::stoll(std::string(digits)));
    }
    // Above any prefix; a route with fewer numbers (more fixed words) above one with more.
    fit.score = std::string_view::npos - fit.numbers.size();
    return fit;
}

}  // namespace

void Router::Add(Route route) {
    for (Route& old : routes_) {
        if (old.method == route.method && old.path == route.path && old.prefix == route.prefix) {
            old = std::move(route);
            return;
        }
    }
    routes_.push_back(std::move(route));
}

Match Router::Find(std::string_view method, std::string_view path) const {
    Match match;
    size_t best = 0;
    std::vector<std::string> methods;
    for (const Route& route : routes_) {
        Fit fit = FitOf(route, path);
        if (fit.score == 0) continue;
        if (route.method != method) {
            if (std::find(methods.begin(), methods.end(), route.method) == methods.end()) {
                methods.push_back(route.method);
            }
        } else if (fit.score > best) {
            best = fit.score;
            match.route = &route;
            match.numbers = std::move(fit.numbers);
        }
    }
    if (!match.route) {
        std::sort(methods.begin(), methods.end());
        for (const std::string& m : methods) match.allow += (match.allow.empty() ? "" : ", ") + m;
    }
    return match;
}

size_t Router::LargestBody() const {
    size_t largest = 0;
    for (const Route& route : routes_) largest = std::max(largest, route.maxBody);
    return largest;
}

Response Router::Answer(const Route& route, Request& request) const {
    if (gate_) {
        if (std::optional<Response> refused = gate_(route, request)) return std::move(*refused);
    } else if (route.access != Access::Open) {
        return TextResponse(403, "Acceso denegado");
    }
    return route.handler(request);
}

}  // namespace rb::service::http
