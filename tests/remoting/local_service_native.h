// The reference service inside a native test program: its own database and thread, on a free
// loopback port, with the test routes.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "service/http/server.h"
#include "service/remote_call/remote_call.h"
#include "service/store/sqlite_store.h"
#include "service/test_routes.h"
#include "test_files.h"

namespace rb {

// A service with its own database and thread, stopped when it goes, with the test routes.
class LocalService {
public:
    explicit LocalService(service::Limits limits = service::Limits(),
                          service::http::ServerOptions options = service::http::ServerOptions())
        : call_(store_, limits) {
        // libcurl, like WinInet, follows the proxy settings: none for a loopback service.
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY"}) {
            unsetenv(name);
        }
        call_.Mount(router_);
        test::MountTestRoutes(router_, call_);
        server_ = std::make_unique<service::http::Server>(router_, options);
        port_ = server_->Bind("127.0.0.1", 0);
        root_ = "http://127.0.0.1:" + std::to_string(port_);
        thread_ = std::thread([this] { server_->Run(); });
    }
    ~LocalService() {
        server_->Stop();
        thread_.join();
    }
    const std::string& Root() const { return root_; }
    int Port() const { return port_; }
    service::SqliteStore& Store() { return store_; }

private:
    TempDir dir_;
    int port_ = 0;
    service::SqliteStore store_{dir_.File("inventarios.db")};
    service::RemoteCall call_;
    service::http::Router router_;
    std::unique_ptr<service::http::Server> server_;
    std::string root_;
    std::thread thread_;
};

// The one service the tests share (started at its first use).
LocalService& SharedService();

}  // namespace rb
