// Kelto's support console and its read API, served beside the remote call: staff sign in, find
// and read every received inventory, download it, and prepare request files for customers.
// Its routes, with who may use each, are one table (console.cpp); one gate decides.
#pragma once

#include "service/console/auth.h"
#include "service/http/router.h"
#include "service/store/store.h"

namespace rb::service::console {

struct ConsoleOptions {
    AuthOptions auth;
    int pageSize = 50;  // rows of the list's page
};

class Console {
public:
    explicit Console(Store& store, ConsoleOptions options = ConsoleOptions())
        : store_(store), auth_(store, options.auth), options_(options) {}
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Mounts every page and API route, and the gate, on the router.
    void Mount(http::Router& router);

    Store& GetStore() { return store_; }
    Auth& GetAuth() { return auth_; }
    const ConsoleOptions& Options() const { return options_; }
    // The refusal of a request the gate does not let through; nothing when it may go on.
    std::optional<http::Response> Gate(const http::Route& route, http::Request& request);

private:
    Store& store_;
    Auth auth_;
    ConsoleOptions options_;
};

// The pages and API answers, each in the file of its topic (pages/*.cpp, api*.cpp).
using Handler = http::Response (*)(Console&, const http::Request&);
namespace pages {
http::Response Start(Console&, const http::Request&);
http::Response Style(Console&, const http::Request&);
http::Response SignInForm(Console&, const http::Request&);
http::Response SignIn(Console&, const http::Request&);
http::Response SignOut(Console&, const http::Request&);
http::Response InventoryList(Console&, const http::Request&);
http::Response InventoryCsv(Console&, const http::Request&);
http::Response Inventory(Console&, const http::Request&);
http::Response Package(Console&, const http::Request&);
http::Response Report(Console&, const http::Request&);
http::Response Xml(Console&, const http::Request&);
http::Response RequestForm(Console&, const http::Request&);
http::Response RequestFile(Console&, const http::Request&);
http::Response Accounts(Console&, const http::Request&);
http::Response AccountChange(Console&, const http::Request&);
http::Response AuditLog(Console&, const http::Request&);
http::Response Machines(Console&, const http::Request&);
http::Response Machine(Console&, const http::Request&);
http::Response RecentChanges(Console&, const http::Request&);
http::Response Compare(Console&, const http::Request&);
}  // namespace pages
namespace api {
http::Response Inventories(Console&, const http::Request&);
http::Response Inventory(Console&, const http::Request&);
http::Response Machines(Console&, const http::Request&);
http::Response Machine(Console&, const http::Request&);
http::Response MachineChanges(Console&, const http::Request&);
}  // namespace api

}  // namespace rb::service::console
