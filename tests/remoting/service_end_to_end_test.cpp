// The remote call over real HTTP against the reference service: libcurl natively, WinInet
// under Wine. The same cases run on both builds.
#include <gtest/gtest.h>

#include <regex>

#include "connection/package_file.h"
#include "core/cp1252.h"
#include "core/exception.h"
#include "remoting/bin_message.h"
#include "remoting/http_channel.h"
#include "remoting/kestrin_service.h"
#include "remoting/test_service.h"

namespace rb {
namespace {

class ServiceEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        root = TestServiceRoot();
        if (root.empty()) GTEST_SKIP() << "no reference service (RBINFO_TEST_SERVICE_URL)";
        Target("/cgi/Kestrin.exe/bin");
    }
    void Target(const std::string& path) { channel.SetTargetURL(root + path); }

    // The error text of a call, "" when it went through.
    template <class F>
    std::string ErrorOf(F call) {
        try {
            call();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    }
    // The inventory number in a receipt, "" when it is no receipt.
    static std::string ReceiptNumber(const std::u16string& receipt) {
        std::smatch m;
        const std::string text = Utf16ToCp1252(receipt);
        return std::regex_match(text, m, std::regex("Recibido: inventario ([0-9]+)")) ? m.str(1)
                                                                                      : "";
    }

    std::string root;
    TRCBinMessage message;
    TRCWinInetHTTPChannel channel;
    std::unique_ptr<IKestrinService> service = CoKestrinService::Create(message, channel);
};

TEST_F(ServiceEndToEnd, SpanishTextAndMultiLineRemarksArriveIntact) {
    const std::string xml =
        "<InfoSistema TYPE=\"TXMLSysInfo\">\r\n <NAME>Año – 5 € ñ Ü</NAME>\r\n</InfoSistema>\r\n";
    const THeader sent{"José Peña", "+34 600 00 00 00",
                       "Primera línea\r\nSegunda línea\r\n\tTercera: ¿sí?", "Soporte técnico"};
    const std::u16string receipt = service->AddInfoFromRequest(
        Cp1252ToUtf16(sent.Nombre), Cp1252ToUtf16(sent.Telefono), Cp1252ToUtf16(xml),
        Cp1252ToUtf16(sent.Observaciones), Cp1252ToUtf16(sent.Destino));
    const std::string id = ReceiptNumber(receipt);
    ASSERT_NE(id, "") << Utf16ToCp1252(receipt);

    // The service gives the stored inventory back as package text.
    THeader stored;
    std::string storedXml;
    ParseHeader(Utf16ToCp1252(service->RequestInfo(Cp1252ToUtf16(id))), stored, storedXml);
    EXPECT_EQ(stored.Nombre, sent.Nombre);
    EXPECT_EQ(stored.Telefono, sent.Telefono);
    EXPECT_EQ(stored.Observaciones, sent.Observaciones);
    EXPECT_EQ(stored.Destino, sent.Destino);
    EXPECT_EQ(storedXml, xml);
}

TEST_F(ServiceEndToEnd, TheOtherOperationsAnswer) {
    EXPECT_EQ(Utf16ToCp1252(service->MyIp()), "127.0.0.1");
    const std::string id =
        ReceiptNumber(service->AddInfo(u"Ana", u"", u"<InfoSistema/>\r\n", u"sin destino"));
    ASSERT_NE(id, "");
    THeader stored;
    std::string xml;
    ParseHeader(Utf16ToCp1252(service->RequestInfo(Cp1252ToUtf16(id))), stored, xml);
    EXPECT_EQ(stored.Nombre, "Ana");
    EXPECT_EQ(stored.Destino, "");
    EXPECT_EQ(xml, "<InfoSistema/>\r\n");
}

TEST_F(ServiceEndToEnd, TheRequestCarriesTheChannelsHeaders) {
    Target("/test/headers");
    EXPECT_EQ(Utf16ToCp1252(service->MyIp()),
              "User-Agent: Kestrin Remoting\nContent-Type: application/binary\n"
              "Accept: application/octet-stream\nCache-Control: no-cache\n");
}

TEST_F(ServiceEndToEnd, HttpAndServerErrorsReachTheCaller) {
    // A server error travels as an exception reply with status 500.
    const std::string missing = ErrorOf([&] { service->RequestInfo(u"999999"); });
    EXPECT_EQ(missing,
              "An exception occurred on the server:\r\r"
              "No hay ningún inventario con el número \"999999\"");
    EXPECT_THROW(service->RequestInfo(u"999999"), ERCServerException);

    Target("/test/404");
    EXPECT_EQ(ErrorOf([&] { service->MyIp(); }), "Not Found (404)");

    Target("/test/html");
    const std::string html = ErrorOf([&] { service->MyIp(); });
    EXPECT_EQ(html.rfind("Invalid binary header. Either incompatible or not a binary message.\r\r"
                         "<!DOCTYPE html>.<html>.",
                         0),
              0u)
        << html;

    Target("/test/no-length");
    const std::string noLength = ErrorOf([&] { service->MyIp(); });
    EXPECT_EQ(noLength.rfind("System Error. Code: 12150.", 0), 0u) << noLength;

    // Nothing listens on port 1: the HTTP library's own message.
    channel.SetTargetURL("http://127.0.0.1:1/cgi/Kestrin.exe/bin");
    const std::string refused = ErrorOf([&] { service->MyIp(); });
    EXPECT_NE(refused, "");
    EXPECT_EQ(refused.find("Unexpected error"), std::string::npos) << refused;
    EXPECT_FALSE(channel.Busy());
    EXPECT_FALSE(channel.Connected());
}

TEST_F(ServiceEndToEnd, OnFailureWithRetryPostsAgain) {
    Target("/test/flaky");  // each request is refused once, then served
    std::vector<std::string> failures;
    channel.OnFailure.Assign([&](const std::exception& e, bool& retry) {
        failures.push_back(e.what());
        retry = failures.size() < 3;
    });
    EXPECT_EQ(Utf16ToCp1252(service->MyIp()), "127.0.0.1");
    EXPECT_EQ(failures, (std::vector<std::string>{"Service Unavailable (503)"}));

    // Without Retry the failure is the caller's.
    channel.OnFailure.Assign([&](const std::exception&, bool&) {});
    EXPECT_EQ(ErrorOf([&] { service->AddInfo(u"x", u"", u"", u""); }), "Service Unavailable (503)");
}

TEST_F(ServiceEndToEnd, ProgressComesInOrderAndASecondDispatchIsRefused) {
    // A large inventory of little-compressible text, so that the reply to RequestInfo comes
    // in several pieces.
    std::string xml;
    for (uint32_t x = 1; xml.size() < 400000;) {
        xml += "<LINE>";
        for (int i = 0; i < 8; ++i) xml += std::to_string(x = x * 1664525u + 1013904223u);
        xml += "</LINE>\r\n";
    }
    const std::string id = ReceiptNumber(service->AddInfo(u"Grande", u"", Cp1252ToUtf16(xml), u""));
    ASSERT_NE(id, "");

    struct Event {
        TProgressType type;
        TProgressDirection direction;
        int32_t transferred, total;
    };
    std::vector<Event> events;
    std::string nested;
    channel.OnProgress.Assign([&](Persistent* sender, TProgressType type,
                                  TProgressDirection direction, int32_t done, int32_t total) {
        EXPECT_EQ(sender, &channel);
        if (events.empty()) {
            MemoryStream request, response;
            nested = ErrorOf([&] { channel.Dispatch(request, response); });
        }
        events.push_back({type, direction, done, total});
    });
    THeader header;
    std::string back;
    ParseHeader(Utf16ToCp1252(service->RequestInfo(Cp1252ToUtf16(id))), header, back);
    EXPECT_EQ(back, xml);  // the first call went on undisturbed
    EXPECT_EQ(nested, "Channel is busy. Try again later.");

    using T = TProgressType;
    using D = TProgressDirection;
    ASSERT_GE(events.size(), 5u);
    const int32_t sent = events[0].total, length = events[2].total;
    EXPECT_GT(sent, 28);
    EXPECT_GT(length, 100000);
    EXPECT_TRUE(events[0].type == T::ptStart && events[0].direction == D::pdSending);
    EXPECT_TRUE(events[1].type == T::ptDone && events[1].direction == D::pdSending);
    EXPECT_EQ(events[1].total, sent);
    EXPECT_TRUE(events[2].type == T::ptStart && events[2].direction == D::pdReceiving);
    int32_t last = 0;
    for (size_t i = 3; i + 1 < events.size(); ++i) {
        EXPECT_TRUE(events[i].type == T::ptInProgress && events[i].direction == D::pdReceiving);
        EXPECT_GT(events[i].transferred, last);
        EXPECT_EQ(events[i].total, length);
        last = events[i].transferred;
    }
    EXPECT_EQ(last, length);
    const Event& done = events.back();
    EXPECT_TRUE(done.type == T::ptDone && done.direction == D::pdReceiving);
    EXPECT_EQ(done.transferred + done.total, 0);
}

TEST_F(ServiceEndToEnd, AKeptConnectionServesSeveralCalls) {
    channel.KeepConnection = true;
    EXPECT_EQ(Utf16ToCp1252(service->MyIp()), "127.0.0.1");
    EXPECT_TRUE(channel.Connected());
    EXPECT_EQ(Utf16ToCp1252(service->MyIp()), "127.0.0.1");
    channel.SetConnected(false);
    EXPECT_FALSE(channel.Connected());
}

}  // namespace
}  // namespace rb
