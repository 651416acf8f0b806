// Accounts (administrators only): who may use the console and with which role, their API
// tokens, and the audit log of sign-ins, downloads and account changes.
#include "core/exception.h"
#include "core/text.h"
#include "service/console/console.h"
#include "service/console/render.h"
#include "service/console/web.h"

namespace rb::service::console::pages {
namespace {

Data Roles(Role current) {
    Data roles = List();
    for (Role role : {Role::Lectura, Role::Soporte, Role::Admin}) {
        Data r;
        r.set("rol", RoleName(role));
        r.set("elegido", role == current);
        roles.push_back(r);
    }
    return roles;
}

Data AccountsData(Store& store) {
    Data accounts = List();
    for (const Account& a : store.ListAccounts()) {
        Data account;
        account.set("id", std::to_string(a.id));
        account.set("nombre", Text(a.name));
        account.set("rol", RoleName(a.role));
        account.set("roles", Roles(a.role));
        account.set("activa", !a.disabled);
        account.set("creada", Text(a.created));
        Data tokens = List();
        for (const TokenRecord& t : store.ListTokens(a.id)) {
            Data token;
            token.set("tokenid", std::to_string(t.id));
            token.set("etiqueta", Text(t.label));
            token.set("creado", Text(t.created));
            tokens.push_back(token);
        }
        account.set("tokens", tokens);
        accounts.push_back(account);
    }
    return accounts;
}

http::Response AccountsPage(Console& console, const http::Request& request,
                            const std::string& message, const std::string& secret, int status) {
    Data data;
    data.set("cuentas", AccountsData(console.GetStore()));
    data.set("rolesnuevos", Roles(Role::Lectura));
    data.set("conmensaje", !message.empty());
    data.set("mensaje", Text(message));
    data.set("consecreto", !secret.empty());
    data.set("secreto", secret);
    return Page(request, "cuentas", data, "Cuentas", status);
}

int64_t NumberOf(const Values& form, const char* name) {
    const std::optional<int64_t> number = NumberIn(form, name);
    if (!number) throw Exception("Falta la cuenta");
    return *number;
}

Account AccountOf(Store& store, const Values& form) {
    const std::optional<Account> account = store.GetAccount(NumberOf(form, "cuenta"));
    if (!account) throw Exception("No existe esa cuenta");
    return *account;
}

// One change; answers what to tell the administrator, and the secret of a new token.
std::pair<std::string, std::string> Change(Console& console, const http::Request& request,
                                           Values& form) {
    Store& store = console.GetStore();
    const std::string& by = request.identity.name;
    const std::string action = form["accion"];
    const auto record = [&](const std::string& detail) {
        store.Record({0, "", 0, by, "cuenta", detail, request.peer});
    };
    if (action == "alta") {
        std::string name;
        if (!FromBrowser(Trim(form["nombre"]), name)) throw Exception("El nombre no es válido");
        const std::optional<Role> role = RoleNamed(form["rol"]);
        if (!role) throw Exception("Rol desconocido");
        console.GetAuth().CreateAccount(name, *role, form["clave"], by);
        return {"Cuenta " + name + " creada", ""};
    }
    Account account = AccountOf(store, form);
    if (action == "rol") {
        const std::optional<Role> role = RoleNamed(form["rol"]);
        if (!role) throw Exception("Rol desconocido");
        account.role = *role;
        store.UpdateAccount(account);
        record("rol de " + account.name + ": " + RoleName(*role));
    } else if (action == "desactivar" || action == "activar") {
        if (account.id == request.identity.accountId) {
            throw Exception("No puede desactivar su propia cuenta");
        }
        account.disabled = action == "desactivar";
        store.UpdateAccount(account);
        if (account.disabled) store.DeleteSessions(0, account.id);
        record(action + " " + account.name);
    } else if (action == "clave") {
        const std::string problem = PasswordProblem(form["clave"]);
        if (!problem.empty()) throw Exception(problem);
        account.passwordHash = HashPassword(form["clave"]);
        store.UpdateAccount(account);
        store.DeleteSessions(0, account.id);
        record("clave de " + account.name);
    } else if (action == "token") {
        std::string label;
        if (!FromBrowser(Trim(form["etiqueta"]), label) || label.empty()) {
            throw Exception("Dé un nombre al token");
        }
        const std::string secret = console.GetAuth().CreateToken(account.id, label, by);
        return {"Token creado para " + account.name + ": cópielo ahora, no se mostrará otra vez",
                secret};
    } else if (action == "quitar-token") {
        store.DeleteToken(NumberOf(form, "token"));
        record("token quitado a " + account.name);
    } else {
        throw Exception("Operación desconocida");
    }
    return {"Cuenta " + account.name + " cambiada", ""};
}

}  // namespace

http::Response Accounts(Console& console, const http::Request& request) {
    return AccountsPage(console, request, "", "", 200);
}

http::Response AccountChange(Console& console, const http::Request& request) {
    Values form = FormOf(request);
    try {
        const auto [message, secret] = Change(console, request, form);
        return AccountsPage(console, request, message, secret, 200);
    } catch (const Exception& e) {
        return AccountsPage(console, request, e.what(), "", 400);
    }
}

http::Response AuditLog(Console& console, const http::Request& request) {
    Data entries = List();
    for (const AuditEntry& e : console.GetStore().Audit(500)) {
        Data entry;
        entry.set("cuando", Text(e.at));
        entry.set("quien", Text(e.account));
        entry.set("que", Text(e.action));
        entry.set("detalle", Text(e.detail));
        entry.set("desde", Text(e.peer));
        entries.push_back(entry);
    }
    Data data;
    data.set("entradas", entries);
    return Page(request, "registro", data, "Registro");
}

}  // namespace rb::service::console::pages
