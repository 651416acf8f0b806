#include "service/console/console.h"

#include <nlohmann/json.hpp>

#include "service/console/render.h"
#include "service/console/web.h"

namespace rb::service::console {
namespace {

using http::Access;
constexpr size_t kFormBody = 64u << 10;  // a form's fields

struct ConsoleRoute {
    const char* method;
    const char* path;
    Access access;
    size_t maxBody;
    Handler handler;
};

// Every route of the console and the API, and who may use it: Read for any account, Download
// for support staff and administrators, Admin for administrators.
const ConsoleRoute kRoutes[] = {
    {"GET", "/consola/", Access::Open, 0, pages::Start},
    {"GET", "/consola", Access::Open, 0, pages::Start},
    {"GET", "/consola/estilo.css", Access::Open, 0, pages::Style},
    {"GET", "/consola/entrar", Access::Open, 0, pages::SignInForm},
    {"POST", "/consola/entrar", Access::Open, kFormBody, pages::SignIn},
    {"POST", "/consola/salir", Access::Read, kFormBody, pages::SignOut},
    {"GET", "/consola/inventarios", Access::Read, 0, pages::InventoryList},
    {"GET", "/consola/inventarios.csv", Access::Download, 0, pages::InventoryCsv},
    {"GET", "/consola/inventarios/{n}", Access::Read, 0, pages::Inventory},
    {"GET", "/consola/inventarios/{n}/paquete", Access::Download, 0, pages::Package},
    {"GET", "/consola/inventarios/{n}/informe", Access::Download, 0, pages::Report},
    {"GET", "/consola/inventarios/{n}/xml", Access::Download, 0, pages::Xml},
    {"GET", "/consola/solicitud", Access::Download, 0, pages::RequestForm},
    {"POST", "/consola/solicitud", Access::Download, kFormBody, pages::RequestFile},
    {"GET", "/consola/cuentas", Access::Admin, 0, pages::Accounts},
    {"POST", "/consola/cuentas", Access::Admin, kFormBody, pages::AccountChange},
    {"GET", "/consola/registro", Access::Admin, 0, pages::AuditLog},
    {"GET", "/consola/maquinas", Access::Read, 0, pages::Machines},
    {"GET", "/consola/maquinas/{n}", Access::Read, 0, pages::Machine},
    {"GET", "/consola/cambios", Access::Read, 0, pages::RecentChanges},
    {"GET", "/consola/comparar", Access::Read, 0, pages::Compare},
    {"GET", "/api/v1/inventarios", Access::Read, 0, api::Inventories},
    {"GET", "/api/v1/inventarios/{n}", Access::Read, 0, api::Inventory},
    {"GET", "/api/v1/maquinas", Access::Read, 0, api::Machines},
    {"GET", "/api/v1/maquinas/{n}", Access::Read, 0, api::Machine},
    {"GET", "/api/v1/maquinas/{n}/cambios", Access::Read, 0, api::MachineChanges},
};

// The least role of each access level (Open: none).
int LeastRole(Access access) {
    switch (access) {
        case Access::Read: return static_cast<int>(Role::Lectura);
        case Access::Download: return static_cast<int>(Role::Soporte);
        case Access::Admin: return static_cast<int>(Role::Admin);
        case Access::Open: break;
    }
    return -1;
}

bool IsApi(const http::Request& request) {
    return request.path.rfind("/api/", 0) == 0;
}

http::Response ApiRefusal(int status, const char* message) {
    http::Response response(status, "application/json",
                            nlohmann::json{{"error", message}}.dump() + "\n");
    if (status == 401) response.SetHeader("WWW-Authenticate", "Bearer");
    SecureHeaders(response, false);
    return response;
}

}  // namespace

void Console::Mount(http::Router& router) {
    for (const ConsoleRoute& r : kRoutes) {
        http::Route route;
        route.method = r.method;
        route.path = r.path;
        route.access = r.access;
        route.maxBody = r.maxBody;
        route.handler = [this, handler = r.handler](const http::Request& request) {
            return handler(*this, request);
        };
        router.Add(std::move(route));
    }
    router.SetGate([this](const http::Route& route, http::Request& request) {
        return Gate(route, request);
    });
}

// Who makes the request; then whether that account may use the route; then, for a form that
// changes something, whether it came from a page of this session (its form token).
std::optional<http::Response> Console::Gate(const http::Route& route, http::Request& request) {
    if (std::optional<http::Identity> who = auth_.Identify(request)) request.identity = *who;
    if (route.access == Access::Open) return std::nullopt;
    const http::Identity& who = request.identity;
    if (who.role < 0) {
        if (IsApi(request)) return ApiRefusal(401, "Hace falta identificarse");
        return Redirect("/consola/entrar?volver=" + UrlEncode(request.target));
    }
    if (who.role < LeastRole(route.access)) {
        if (IsApi(request)) return ApiRefusal(403, "Su cuenta no tiene permiso para esto");
        return ErrorPage(request, 403, "Su cuenta no tiene permiso para esta página.");
    }
    if (route.method != "GET" && !who.csrf.empty() &&
        !SameSecret(FormOf(request)["csrf"], who.csrf)) {
        return ErrorPage(request, 403,
                         "El formulario ha caducado o no viene de esta consola. "
                         "Vuelva a la página y repita la operación.");
    }
    return std::nullopt;
}

}  // namespace rb::service::console
