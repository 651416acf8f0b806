// The client's reading of a reply: the HTTP channel receives the input (in pieces, over a
// scripted transfer), then the binary message reads it and takes its result.
#include "fuzz_util.h"
#include "remoting/bin_message.h"
#include "remoting/fake_http_transfer.h"
#include "remoting/http_channel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte cuts the body into two pieces; the rest is the body.
    const std::string body(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t cut = body.empty() ? 0 : data[0] % (body.size() + 1);
    rb::FakeHttpServer server;
    server.chunks = {body.substr(0, cut), body.substr(cut)};
    rb::fuzz::Refusable([&] {
        rb::TRCWinInetHTTPChannel channel(nullptr, rb::MakeFakeTransfer(server));
        channel.SetTargetURL("http://servidor.example/cgi/Kestrin.exe/bin");
        rb::MemoryStream request(std::string("peticion"));
        rb::MemoryStream response;
        channel.Dispatch(request, response);
        rb::TRCBinMessage reply;
        reply.ReadFromStream(response);
        std::u16string result;
        reply.ReadValue("Result", result);
    });
    return 0;
}
