// The console's routes answered in-process, against a store of their own: requests are built as
// the HTTP layer builds them and go through the same router and gate, without a socket.
#pragma once

#include <memory>
#include <string>

#include "service/console/console.h"
#include "service/http/router.h"
#include "service/store/sqlite_store.h"
#include "test_files.h"

namespace rb::test {

class ConsoleHarness {
public:
    ConsoleHarness();

    // A request as a browser sends it: with this session's cookie (if any) and form token.
    service::http::Response Get(const std::string& target, const std::string& cookie = "");
    service::http::Response Post(const std::string& target, const std::string& form,
                                 const std::string& cookie = "");
    service::http::Response Send(service::http::Request request);

    // An account of that role (password "clave-de-prueba"), signed in: its session cookie.
    std::string SignedIn(const std::string& name, service::Role role);
    // That account's form token.
    std::string Csrf(const std::string& cookie);
    // An inventory as the remote call would keep it; answers its number.
    int64_t Deliver(const std::string& xml, const THeader& header);

    service::SqliteStore& Store() { return *store_; }
    service::console::Console& Console() { return *console_; }

private:
    TempDir dir_;
    std::unique_ptr<service::SqliteStore> store_;
    std::unique_ptr<service::console::Console> console_;
    service::http::Router router_;
    int64_t delivered_ = 0;
};

// The value of a response's header (the first of that name), or "".
std::string HeaderOf(const service::http::Response& response, const std::string& name);

}  // namespace rb::test
