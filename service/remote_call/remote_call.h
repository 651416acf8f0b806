// The remote-call endpoint: the program's POST of a binary message on "/cgi/Kestrin.exe/bin",
// answered by HandleMessage, with a few decodings at a time.
#pragma once

#include <condition_variable>
#include <mutex>

#include "service/remote_call/handler.h"
#include "service/http/router.h"
#include "service/store/store.h"

namespace rb::service {

constexpr const char* kServicePath = "/cgi/Kestrin.exe/bin";

class RemoteCall {
public:
    // `decoders`: requests decoded at once; the others wait their turn.
    RemoteCall(Store& store, Limits limits = Limits(), int decoders = 4);
    RemoteCall(const RemoteCall&) = delete;
    RemoteCall& operator=(const RemoteCall&) = delete;

    // The POST on the service's path (and a 405 for a GET there).
    void Mount(http::Router& router);
    // The reply to one posted message: 200 with a result, 500 with an exception reply.
    http::Response Answer(const http::Request& request);
    const Limits& GetLimits() const { return limits_; }

private:
    Store& store_;
    const Limits limits_;
    std::mutex mutex_;
    std::condition_variable freed_;
    int free_;
};

}  // namespace rb::service
