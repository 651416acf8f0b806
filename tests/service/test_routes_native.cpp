#include "service/test_routes.h"

#include <algorithm>
#include <functional>
#include <mutex>
#include <set>

#include "core/cp1252.h"

namespace rb::test {
namespace {

using service::http::Request;
using service::http::Response;

const char* const kBinaryType = "application/octet-stream";
const char* const kShownHeaders[] = {"User-Agent", "Content-Type", "Accept", "Cache-Control"};

const char* const kNotFoundPage =
    "<html>\n<head><title>404 Not Found</title></head>\n"
    "<body><h1>Not Found</h1>\n<p>The requested URL was not found on this server.</p>\n"
    "</body>\n</html>\n";
const char* const kWebPage =
    "<!DOCTYPE html>\n<html>\n<head><title>Kelto</title></head>\n"
    "<body>\n<p>Esta es una página web, no el servicio.</p>\n</body>\n</html>\n";

// What the client's HTTP library sent, as the result of whatever call it was.
Response Headers(const Request& request) {
    std::string text;
    for (const char* name : kShownHeaders) text += std::string(name) + ": " + request.Header(name) + "\n";
    Guid clientId{};
    if (request.body.size() >= 28) {
        std::copy(request.body.begin() + 12, request.body.begin() + 28, clientId.begin());
    }
    return Response(200, kBinaryType,
                    service::ResultMessage(clientId, "Headers", Cp1252ToUtf16(text)));
}

// Requests answered 503 once already (by a hash of their body).
class Flaky {
public:
    bool First(const std::string& body) {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_.insert(std::hash<std::string>()(body)).second;
    }

private:
    std::mutex mutex_;
    std::set<size_t> seen_;
};

}  // namespace

void MountTestRoutes(service::http::Router& router, service::RemoteCall& call) {
    const auto post = [&](const char* path, service::http::Handler handler) {
        service::http::Route route;
        route.method = "POST";
        route.path = path;
        route.maxBody = call.GetLimits().maxBody;
        route.handler = std::move(handler);
        router.Add(std::move(route));
    };
    post("/test/404", [](const Request&) { return Response(404, "text/html", kNotFoundPage); });
    post("/test/html", [](const Request&) { return Response(200, "text/html", kWebPage); });
    post("/test/no-length", [&call](const Request& request) {
        Response response = call.Answer(request);
        response.chunked = true;
        return response;
    });
    post("/test/headers", Headers);
    auto flaky = std::make_shared<Flaky>();
    post("/test/flaky", [&call, flaky](const Request& request) {
        return flaky->First(request.body) ? Response(503, "text/plain", "Vuelva a intentarlo")
                                          : call.Answer(request);
    });
}

}  // namespace rb::test
