// Routes that answer the way a broken server or a web page in the way would, for the tests of
// the program's client: mounted by the tests only (in-process, and by kestrin-test-service).
// All POST: /test/404 (a 404 page), /test/html (a web page with status 200), /test/no-length
// (a good reply sent without Content-Length), /test/flaky (each distinct request is first
// answered 503, then served when it comes again), /test/headers (a reply whose result lists the
// request's User-Agent, Content-Type, Accept and Cache-Control).
#pragma once

#include <memory>

#include "service/http/router.h"
#include "service/remote_call/remote_call.h"

namespace rb::test {

// The routes answer through `call`, which must outlive the router.
void MountTestRoutes(service::http::Router& router, service::RemoteCall& call);

}  // namespace rb::test
