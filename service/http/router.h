// The service's one table of routes: for every method and path, the handler, what a request
// may cost (its body limit and the deadline for it to arrive) and who may make it (its access
// level, checked by the router's one gate before the handler runs). The HTTP layer asks it
// before it reads a body, so a request for no route, or with too large a body, is refused
// unread.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service/http/message.h"

namespace rb::service::http {

using Handler = std::function<Response(const Request&)>;

// Who may make a request: anyone, or a signed-in account of at least that role.
enum class Access { Open, Read, Download, Admin };

struct Route {
    std::string method;   // "GET", "POST", ...
    // The whole path, where a segment "{n}" stands for a number (its digits go to the request's
    // `numbers`); or, when `prefix`, how the path begins.
    std::string path;
    bool prefix = false;
    Access access = Access::Open;
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
    std::vector<int64_t> numbers;  // the path's "{n}" segments
};

// Decides whether a request may reach its route's handler: nothing (it may, and the gate has
// filled in who makes it), or the response that refuses it.
using Gate = std::function<std::optional<Response>(const Route&, Request&)>;

class Router {
public:
    // A later route for the same method and path replaces the earlier one.
    void Add(Route route);
    // Whole paths first (the one with fewer "{n}" segments where two fit), then the longest
    // prefix.
    Match Find(std::string_view method, std::string_view path) const;
    // The largest body any route accepts.
    size_t LargestBody() const;
    // Every request passes the gate (which also learns who makes it); without a gate, routes
    // other than Open are refused.
    void SetGate(Gate gate) { gate_ = std::move(gate); }
    // The route's handler behind the gate.
    Response Answer(const Route& route, Request& request) const;

private:
    std::vector<Route> routes_;
    Gate gate_;
};

}  // namespace rb::service::http
