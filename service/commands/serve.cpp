// kestrin-service serve: the remote-call endpoint (and the console) until SIGINT or SIGTERM.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <thread>

#include "service/commands/arguments.h"
#include "service/commands/command_table.h"
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
    http::Router router;
    remoteCall.Mount(router);
    if (args.mountMore) args.mountMore(router, remoteCall);
    http::Server server(router);
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
    Print("kestrin-service: escuchando en http://" + (ipv6 ? "[" + host + "]" : host) + ":" +
          std::to_string(bound) + kServicePath + "\n");
    std::fflush(stdout);
    server.Run();
    pthread_kill(stopper.native_handle(), SIGTERM);  // when Run ended by itself
    stopper.join();
    return 0;
}

}  // namespace rb::service
