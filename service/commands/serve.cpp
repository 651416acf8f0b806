// kestrin-service serve: the remote-call endpoint (and the console) until SIGINT or SIGTERM.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <thread>

#include "service/commands/arguments.h"
#include "service/commands/command_table.h"
#include "service/console/console.h"
#include "service/http/server.h"
#include "service/remote_call/remote_call.h"

namespace rb::service {

// A thread waits for the signals; the others never see them.
int ServeCommand(const Arguments& args) {
    const int64_t port = ParseNumber(args.Required("--port"), 5);
    if (port > 65535) throw UsageError();
    const std::string host = args.Optional("--bind", "127.0.0.1");
    const std::unique_ptr<Store> store = OpenServiceStore(args);
    RemoteCall remoteCall(*store);
    console::Console console(*store);
    http::Router router;
    remoteCall.Mount(router);
    console.Mount(router);
    if (args.mountMore) args.mountMore(router, remoteCall);
    http::ServerOptions options;
    options.tlsCertificate = args.Optional("--tls-cert", "");
    options.tlsKey = args.Optional("--tls-key", "");
    if (options.tlsCertificate.empty() != options.tlsKey.empty()) throw UsageError();
    http::Server server(router, options);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    const int bound = server.Bind(host, static_cast<int>(port));
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&signals, &signal);
        server.Stop();
    });
    const bool ipv6 = host.find(':') != std::string::npos;
    const std::string root = std::string(server.Secure() ? "https" : "http") + "://" +
                             (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(bound);
    Print("kestrin-service: escuchando en " + root + kServicePath + "\n");
    Print("kestrin-service: consola en " + root + "/consola/\n");
    std::fflush(stdout);
    server.Run();
    pthread_kill(stopper.native_handle(), SIGTERM);  // when Run ended by itself
    stopper.join();
    return 0;
}

}  // namespace rb::service
