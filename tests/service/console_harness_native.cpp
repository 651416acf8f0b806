#include "service/console_harness.h"

#include "service/console/auth.h"
#include "service/console/web.h"
#include "service/filing/filing.h"
#include "service/remote_call/handler.h"

namespace rb::test {

using namespace rb::service;

ConsoleHarness::ConsoleHarness()
    : store_(std::make_unique<SqliteStore>(dir_.File("consola.db"))),
      console_(std::make_unique<console::Console>(*store_)) {
    console_->Mount(router_);
}

http::Response ConsoleHarness::Send(http::Request request) {
    const size_t query = request.target.find('?');
    request.path = request.target.substr(0, query);
    if (query != std::string::npos) request.query = request.target.substr(query + 1);
    if (request.peer.empty()) request.peer = "192.0.2.10";
    const http::Match match = router_.Find(request.method, request.path);
    if (!match.route) return http::TextResponse(match.allow.empty() ? 404 : 405, "");
    request.numbers = match.numbers;
    return router_.Answer(*match.route, request);
}

http::Response ConsoleHarness::Get(const std::string& target, const std::string& cookie) {
    http::Request request;
    request.method = "GET";
    request.target = target;
    if (!cookie.empty()) request.headers.emplace_back("Cookie", cookie);
    return Send(std::move(request));
}

http::Response ConsoleHarness::Post(const std::string& target, const std::string& form,
                                    const std::string& cookie) {
    http::Request request;
    request.method = "POST";
    request.target = target;
    request.body = form;
    request.headers.emplace_back("Content-Type", "application/x-www-form-urlencoded");
    if (!cookie.empty()) request.headers.emplace_back("Cookie", cookie);
    return Send(std::move(request));
}

std::string ConsoleHarness::SignedIn(const std::string& name, Role role) {
    console_->GetAuth().CreateAccount(name, role, "clave-de-prueba", "prueba");
    const auto result = console_->GetAuth().SignIn(name, "clave-de-prueba", "192.0.2.10");
    return std::string(console::kSessionCookie) + "=" + result.cookie;
}

std::string ConsoleHarness::Csrf(const std::string& cookie) {
    const std::string secret = cookie.substr(cookie.find('=') + 1);
    const auto session = store_->FindSession(console::SecretHash(secret));
    return session ? session->csrf : "";
}

int64_t ConsoleHarness::Deliver(const std::string& xml, const THeader& header) {
    Inventory inventory;
    inventory.received = UtcNow();
    inventory.peer = "198.51.100.7";
    inventory.clientId = "{00000000-0000-0000-0000-" + std::to_string(100000000000 + ++delivered_) + "}";
    inventory.operation = "AddInfoFromRequest";
    inventory.header = header;
    inventory.xml = xml;
    inventory.sections = SelectedSections(xml);
    return KeepInventory(*store_, inventory);
}

std::string HeaderOf(const http::Response& response, const std::string& name) {
    for (const auto& [key, value] : response.headers) {
        if (key == name) return value;
    }
    return name == "Content-Type" ? response.contentType : "";
}

}  // namespace rb::test
