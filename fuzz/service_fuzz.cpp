// The collecting service's answer to a POSTed body, with a store in memory: always a reply,
// never a crash; a result only with status 200.
#include "fuzz_util.h"
#include "service/remote_call/handler.h"
#include "service/store/sqlite_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static rb::service::SqliteStore store(":memory:");
    rb::service::Limits limits;
    limits.maxInflated = 4u << 20;  // smaller caps keep each run quick
    limits.maxDatos = 1u << 20;
    const rb::service::Reply reply =
        rb::service::HandleMessage(rb::fuzz::AsText(data, size), "192.0.2.1", store, limits);
    if (reply.status != 200 && reply.status != 500) __builtin_trap();
    if (reply.body.size() < 28) __builtin_trap();
    return 0;
}
