// Direct delivery from the connection module: what reaches the collecting service.
#include <gtest/gtest.h>

#include "connection/connection_module.h"
#include "platform/sim/sim_platform.h"
#include "remoting/fake_http_transfer.h"
#include "remoting/wire_bytes.h"

namespace rb {
namespace {

using wire::Ansi;
using wire::Wide;

class SendDirectTest : public ::testing::Test {
protected:
    SendDirectTest() {
        module.RCWinInetHTTPChannel.SetTransfer(MakeFakeTransfer(server));
        module.RCWinInetHTTPChannel.SetTargetURL("http://servicio.example/cgi/Kestrin.exe/bin");
        server.SetBody(wire::Header(0, 0, std::string(16, '\0')) + Ansi("KestrinService") +
                       Ansi("AddInfoFromRequest") + Wide(u"gracias"));
    }

    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    FakeHttpServer server;
    TdmKestrinConnection module;
};

TEST_F(SendDirectTest, SendsTheHeaderAndTheXmlAsWideStrings) {
    module.SetHeader(
        "Mar\xED"
        "a",
        "555 12 34", "Primera l\xEDnea\r\nSegunda", "Soporte");
    module.XMLData = "<InfoSistema>A\xF1o \x80</InfoSistema>";
    EXPECT_TRUE(module.SendDirect());
    ASSERT_EQ(server.sentBodies.size(), 1u);
    const std::string body = wire::Inflate(server.sentBodies[0].substr(28));
    const std::string expected = Ansi("KestrinService") + Ansi("AddInfoFromRequest") +
                                 Wide(u"Mar\u00EDa") + Wide(u"555 12 34") +
                                 Wide(u"<InfoSistema>A\u00F1o \u20AC</InfoSistema>") +
                                 Wide(u"Primera l\u00EDnea\r\nSegunda") + Wide(u"Soporte");
    EXPECT_EQ(wire::ToHex(body), wire::ToHex(expected));
    EXPECT_EQ(server.log[0], "open:Kestrin Remoting");
    EXPECT_EQ(server.log[1], "connect:servicio.example:80::");
    EXPECT_EQ(server.log[2], "request:/cgi/Kestrin.exe/bin:[application/octet-stream]");
    EXPECT_EQ(server.sentHeaders[0], "Content-Type: application/binary");
}

TEST_F(SendDirectTest, WithoutAHeaderTheFieldsAreEmpty) {
    module.XMLData = "<x/>";
    EXPECT_TRUE(module.SendDirect());
    const std::string body = wire::Inflate(server.sentBodies[0].substr(28));
    EXPECT_EQ(body, Ansi("KestrinService") + Ansi("AddInfoFromRequest") + Wide(u"") + Wide(u"") +
                        Wide(u"<x/>") + Wide(u"") + Wide(u""));
}

TEST_F(SendDirectTest, ProgressIsRelayed) {
    std::vector<TProgressType> types;
    module.OnSendProgress.Assign(
        [&](Persistent* sender, TProgressType type, TProgressDirection, int32_t, int32_t) {
            EXPECT_EQ(sender, &module.RCWinInetHTTPChannel);
            types.push_back(type);
        });
    module.SendDirect();
    EXPECT_EQ(types.size(), 5u);
    module.OnSendProgress.Clear();
    EXPECT_TRUE(module.SendDirect());  // no handler: still sends
}

TEST_F(SendDirectTest, ErrorsReachTheCaller) {
    server.SetBody(wire::Header(0, 1, std::string(16, '\0')) + Ansi("E") + Ansi("Rechazado"));
    EXPECT_THROW(module.SendDirect(), ERCServerException);
    server.status = 503;
    server.statusText = "Service Unavailable";
    EXPECT_THROW(module.SendDirect(), Exception);
}

TEST(ServiceUrl, TheEnvironmentOverridesTheBuildsAddress) {
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    const std::string configured = ServiceUrl();
    EXPECT_EQ(TdmKestrinConnection().RCWinInetHTTPChannel.TargetURL(), configured);
    EXPECT_EQ(TdmKestrinConnection().RCWinInetHTTPChannel.UserAgent, "Kestrin Remoting");
    sim.system.environment = {"PATH=C:\\WINDOWS", "rbinfo_service_url=http://127.0.0.1:8081/bin"};
    EXPECT_EQ(ServiceUrl(), "http://127.0.0.1:8081/bin");
    TdmKestrinConnection module;
    EXPECT_EQ(module.RCWinInetHTTPChannel.Url().port, 8081);
}

}  // namespace
}  // namespace rb
