// The service proxy: the request each operation sends and what it makes of the reply, over a
// recording channel and over the HTTP channel with a scripted server.
#include "remoting/kestrin_service.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/sim/sim_platform.h"
#include "remoting/bin_message.h"
#include "remoting/fake_http_transfer.h"
#include "remoting/http_channel.h"
#include "remoting/wire_bytes.h"

namespace rb {
namespace {

using wire::Ansi;
using wire::Wide;

const std::string kZeroId(16, '\0');

// Keeps each request and answers with the next scripted reply.
class RecordingChannel : public IRCChannel {
public:
    TRCTransportChannel* GetTransportObject() override { return nullptr; }
    void Dispatch(MemoryStream& request, MemoryStream& response) override {
        requests.emplace_back(request.Bytes().begin(), request.Bytes().end());
        response.Write(reply);
        response.SetPosition(0);
    }
    std::vector<std::string> requests;
    std::string reply;
};

// A normal reply: header, the two names, the wide-string result.
std::string ResultReply(std::u16string_view result, const std::string& clientID = kZeroId) {
    return wire::Header(0, 0, clientID) + Ansi("KestrinService") + Ansi("Op") + Wide(result);
}

class ProxyTest : public ::testing::Test {
protected:
    // The uncompressed body of the last request.
    std::string LastBody() const { return wire::Inflate(channel.requests.back().substr(28)); }

    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    TRCBinMessage message;
    RecordingChannel channel;
};

TEST_F(ProxyTest, EachOperationSendsItsNameAndItsParametersInOrder) {
    const std::u16string n = u"Mar\u00EDa", t = u"555", d = u"<InfoSistema/>", o = u"l\u00EDnea",
                         de = u"Soporte", id = u"42";
    struct Row {
        const char* operation;
        std::function<std::u16string(IKestrinService&)> call;
        std::string parameters;
    };
    const Row rows[] = {
        {"AddInfo", [&](IKestrinService& s) { return s.AddInfo(n, t, d, o); },
         Wide(n) + Wide(t) + Wide(d) + Wide(o)},
        {"RequestInfo", [&](IKestrinService& s) { return s.RequestInfo(id); }, Wide(id)},
        {"AddInfoFromRequest",
         [&](IKestrinService& s) { return s.AddInfoFromRequest(n, t, d, o, de); },
         Wide(n) + Wide(t) + Wide(d) + Wide(o) + Wide(de)},
        {"MyIp", [&](IKestrinService& s) { return s.MyIp(); }, ""},
    };
    for (const Row& r : rows) {
        channel.reply = ResultReply(u"hecho");
        const std::unique_ptr<IKestrinService> service = CoKestrinService::Create(message, channel);
        EXPECT_EQ(r.call(*service), u"hecho") << r.operation;
        EXPECT_EQ(channel.requests.back()[5], 1) << r.operation;  // compressed
        EXPECT_EQ(wire::ToHex(LastBody()),
                  wire::ToHex(Ansi("KestrinService") + Ansi(r.operation) + r.parameters))
            << r.operation;
    }
}

TEST_F(ProxyTest, EmptyTextsTravelAsZeroLengths) {
    channel.reply = ResultReply(u"");
    const auto service = CoKestrinService::Create(message, channel);
    const std::u16string e;
    EXPECT_EQ(service->AddInfoFromRequest(e, e, e, e, e), u"");
    EXPECT_EQ(LastBody(),
              Ansi("KestrinService") + Ansi("AddInfoFromRequest") + std::string(5 * 4, '\0'));
}

TEST_F(ProxyTest, ProxiesShareTheClientIdUntilAReplyReplacesIt) {
    sim.system.guid = {0x77, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    TRCBinMessage shared;
    const std::string generated = wire::Hex("77 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
    const std::string replaced = wire::Hex("99 88 77 66 55 44 33 22 11 00 AA BB CC DD EE FF");
    channel.reply = ResultReply(u"1", generated);
    CoKestrinService::Create(shared, channel)->MyIp();
    CoKestrinService::Create(shared, channel)->MyIp();
    channel.reply = ResultReply(u"1", replaced);
    CoKestrinService::Create(shared, channel)->MyIp();
    CoKestrinService::Create(shared, channel)->MyIp();
    ASSERT_EQ(channel.requests.size(), 4u);
    EXPECT_EQ(channel.requests[0].substr(12, 16), generated);
    EXPECT_EQ(channel.requests[1].substr(12, 16), generated);
    EXPECT_EQ(channel.requests[2].substr(12, 16), generated);
    EXPECT_EQ(channel.requests[3].substr(12, 16), replaced);
}

TEST_F(ProxyTest, AnInterfaceNameGivenToTheProxyReplacesItsOwn) {
    channel.reply = ResultReply(u"x");
    TKestrinService_Proxy proxy(message, channel, "OtroServicio");
    EXPECT_EQ(proxy.InterfaceName(), "OtroServicio");
    proxy.MyIp();
    EXPECT_EQ(LastBody(), Ansi("OtroServicio") + Ansi("MyIp"));
    EXPECT_EQ(TKestrinService_Proxy(message, channel).InterfaceName(), "KestrinService");
}

// The whole path: proxy, message and HTTP channel against a scripted server.
class ProxyOverHttpTest : public ProxyTest {
protected:
    ProxyOverHttpTest() { http.SetTargetURL("http://servidor.example/cgi/Kestrin.exe/bin"); }
    std::u16string Send() {
        return CoKestrinService::Create(message, http)
            ->AddInfoFromRequest(u"a", u"b", u"c", u"d", u"e");
    }

    FakeHttpServer server;
    TRCWinInetHTTPChannel http{nullptr, MakeFakeTransfer(server)};
};

TEST_F(ProxyOverHttpTest, AGoodReplyGivesTheResult) {
    server.SetBody(ResultReply(u"recibido"));
    EXPECT_EQ(Send(), u"recibido");
    EXPECT_EQ(server.sentHeaders, (std::vector<std::string>{"Content-Type: application/binary"}));
    EXPECT_EQ(server.log.front(), "open:Kestrin Remoting");
}

TEST_F(ProxyOverHttpTest, AStatus500WithAnExceptionReplyIsTheServersError) {
    server.status = 500;
    server.statusText = "Internal Server Error";
    server.SetBody(wire::Header(1, 1, kZeroId) +
                   wire::Deflate(Ansi("EKestrinError") + Ansi("Datos incompletos")));
    try {
        Send();
        FAIL() << "no exception";
    } catch (const ERCServerException& e) {
        EXPECT_STREQ(e.what(), "An exception occurred on the server:\r\rDatos incompletos");
    }
    EXPECT_FALSE(http.Busy());
}

TEST_F(ProxyOverHttpTest, AnHtmlPageIsNotAMessage) {
    server.SetBody("<html><body>Mantenimiento</body></html>\r\n");
    try {
        Send();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Invalid binary header. Either incompatible or not a binary message.\r\r"
                  "<html><body>Mantenimiento</body></html>\r.");
    }
}

}  // namespace
}  // namespace rb
