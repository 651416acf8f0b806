// kestrin-service: the reference collecting service and its tools.
//   kestrin-service serve --port N --db STORE [--bind ADDR]
//   kestrin-service list --db STORE
//   kestrin-service show --db STORE ID
//   kestrin-service export --db STORE ID OUT.fzp
//   kestrin-service prune --db STORE --older-than DAYS [--todas]
//   kestrin-service backup --db FILE COPY
// STORE is an SQLite file (or sqlite:FILE) or a postgresql://... address.
// Texts are code page 1252 inside (as the program's) and UTF-8 on the terminal.
#pragma once

#include <functional>

#include "service/http/router.h"
#include "service/remote_call/remote_call.h"

namespace rb::service {

// Routes a program adds to what `serve` mounts (the tests' own service adds its test routes).
using MountRoutes = std::function<void(http::Router&, RemoteCall&)>;

// Runs one command line; answers the exit code (2 for a wrong command line).
int Main(int argc, char** argv, const MountRoutes& mountMore = nullptr);

}  // namespace rb::service
