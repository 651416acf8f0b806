#include "service/http/router.h"

#include <algorithm>

namespace rb::service::http {
namespace {

// 0 when the route does not take the path, else how well: a whole path over any prefix, a
// longer prefix over a shorter one.
size_t Fit(const Route& route, std::string_view path) {
    if (!route.prefix) return route.path == path ? std::string_view::npos : 0;
    return path.substr(0, route.path.size()) == route.path ? route.path.size() : 0;
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
        const size_t fit = Fit(route, path);
        if (fit == 0) continue;
        if (route.method != method) {
            if (std::find(methods.begin(), methods.end(), route.method) == methods.end()) {
                methods.push_back(route.method);
            }
        } else if (fit > best) {
            best = fit;
            match.route = &route;
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

}  // namespace rb::service::http
