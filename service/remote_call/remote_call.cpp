#include "service/remote_call/remote_call.h"

namespace rb::service {

namespace {
const char* const kBinaryType = "application/octet-stream";
}  // namespace

RemoteCall::RemoteCall(Store& store, Limits limits, int decoders)
    : store_(store), limits_(limits), free_(decoders > 0 ? decoders : 1) {}

void RemoteCall::Mount(http::Router& router) {
    http::Route post;
    post.method = "POST";
    post.path = kServicePath;
    post.maxBody = limits_.maxBody;
    post.handler = [this](const http::Request& request) { return Answer(request); };
    router.Add(std::move(post));
}

// Decoding runs outside the store's lock, a few at a time, each bounded by the limits.
http::Response RemoteCall::Answer(const http::Request& request) {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        freed_.wait(lock, [this] { return free_ > 0; });
        --free_;
    }
    struct Release {
        RemoteCall& call;
        ~Release() {
            {
                std::lock_guard<std::mutex> lock(call.mutex_);
                ++call.free_;
            }
            call.freed_.notify_one();
        }
    } release{*this};
    Reply reply = HandleMessage(request.body, request.peer, store_, limits_);
    return http::Response(reply.status, kBinaryType, std::move(reply.body));
}

}  // namespace rb::service
