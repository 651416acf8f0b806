// The service's one table of routes: for every method and path, the handler and what a request
// may cost (its body limit and the deadline for it to arrive). The HTTP layer asks it before it
// reads a body, so a request for no route, or with too large a body, is refused unread.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "service/http/message.h"

namespace rb::service::http {

using Handler = std::function<Response(const Request&)>;

struct Route {
    std::string method;   // "GET", "POST", ...
    std::string path;     // the whole path, or, when `prefix`, how it begins
    bool prefix = false;
    size_t maxBody = 0;   // bytes the request's body may hold
    // For the request's headers and body to arrive, counted from its first byte; zero for the
    // server's default.
    std::chrono::milliseconds deadline{0};
    Handler handler;
};

// What a request's method and path found.
struct Match {
    const Route* route = nullptr;  // null when none
    std::string allow;             // none for the method: the methods the path has ("GET, POST")
};

class Router {
public:
    // A later route for the same method and path replaces the earlier one.
    void Add(Route route);
    // The whole path's route first, then the longest prefix.
    Match Find(std::string_view method, std::string_view path) const;
    // The largest body any route accepts.
    size_t LargestBody() const;

private:
    std::vector<Route> routes_;
};

}  // namespace rb::service::http
