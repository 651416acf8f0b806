// kestrin-service usuario: the console's accounts on the server itself (the first
// administrator, above all). The password is read from standard input, never from the command
// line, where other users of the machine could see it.
#include <cstdio>
#include <iostream>
#include <string>

#include "core/cp1252.h"
#include "core/exception.h"
#include "core/text.h"
#include "service/commands/arguments.h"
#include "service/commands/command_table.h"
#include "service/console/auth.h"
#include "service/console/web.h"

namespace rb::service {
namespace {

// The first line of standard input, without its line end.
std::string ReadPassword() {
    std::string line;
    if (!std::getline(std::cin, line)) throw Exception("Falta la clave en la entrada estándar");
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string AccountName(const std::string& utf8) {
    std::string name;
    if (!console::FromBrowser(utf8, name)) throw Exception("El nombre de la cuenta no es válido");
    return name;
}

int Create(const Arguments& args) {
    if (args.words.size() != 2) throw UsageError();
    const std::optional<Role> role = RoleNamed(args.Required("--rol"));
    if (!role) throw Exception("Rol desconocido: use lectura, soporte o admin");
    const std::unique_ptr<Store> store = OpenServiceStore(args);
    console::Auth auth(*store);
    const std::string name = AccountName(args.words[1]);
    auth.CreateAccount(name, *role, ReadPassword(), "(línea de órdenes)");
    Print("Cuenta " + name + " creada con el rol " + RoleName(*role) + "\n");
    return 0;
}

int ListAccounts(const Arguments& args) {
    if (args.words.size() != 1) throw UsageError();
    const std::unique_ptr<Store> store = OpenServiceStore(args);
    Print(Format("%-24s %-8s %-12s %s\n", "Cuenta", "Rol", "Estado", "Creada (UTC)"));
    for (const Account& a : store->ListAccounts()) {
        Print(Format("%-24s %-8s %-12s %s\n", a.name.c_str(), RoleName(a.role),
                     a.disabled ? "desactivada" : "activa", a.created.c_str()));
    }
    return 0;
}

// A new password (standard input), which also ends the account's sessions; or a disabled
// account enabled again.
int ChangePassword(const Arguments& args) {
    if (args.words.size() != 2) throw UsageError();
    const std::unique_ptr<Store> store = OpenServiceStore(args);
    std::optional<Account> account = store->FindAccount(AccountName(args.words[1]));
    if (!account) throw Exception("No existe la cuenta " + AccountName(args.words[1]));
    const std::string password = ReadPassword();
    const std::string problem = console::PasswordProblem(password);
    if (!problem.empty()) throw Exception(problem);
    account->passwordHash = console::HashPassword(password);
    account->disabled = false;
    store->UpdateAccount(*account);
    store->DeleteSessions(0, account->id);
    store->Record({0, "", 0, "(línea de órdenes)", "cuenta", "clave de " + account->name, ""});
    Print("Clave de " + account->name + " cambiada\n");
    return 0;
}

}  // namespace

int AccountCommand(const Arguments& args) {
    if (args.words.empty()) throw UsageError();
    if (args.words[0] == "alta") return Create(args);
    if (args.words[0] == "lista") return ListAccounts(args);
    if (args.words[0] == "clave") return ChangePassword(args);
    throw UsageError();
}

}  // namespace rb::service
