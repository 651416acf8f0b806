// The binary message: request bytes, reply parsing, exception replies and hostile replies.
#include "remoting/bin_message.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "remoting/fake_http_transfer.h"
#include "remoting/http_channel.h"
#include "remoting/wire_bytes.h"

namespace rb {
namespace {

using wire::Ansi;
using wire::Hex;
using wire::ToHex;
using wire::Wide;

const char* const kGuidHex = "A1 A2 A3 A4 B1 B2 C1 C2 D1 D2 D3 D4 D5 D6 D7 D8";

class EMyServerError : public Exception {
public:
    using Exception::Exception;
};

class BinMessageTest : public ::testing::Test {
protected:
    BinMessageTest() {
        sim.system.guid = {0xA1, 0xA2, 0xA3, 0xA4, 0xB1, 0xB2, 0xC1, 0xC2,
                    0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8};
    }

    static std::string Bytes(const MemoryStream& s) {
        return std::string(s.Bytes().begin(), s.Bytes().end());
    }
    std::string Request(TRCBinMessage& m) {
        MemoryStream out;
        m.WriteToStream(out);
        EXPECT_EQ(out.Position(), 0u);
        return Bytes(out);
    }
    // Reads `reply`; the error text, or "" when it parsed.
    std::string Parse(TRCBinMessage& m, const std::string& reply) {
        MemoryStream in(reply);
        try {
            m.ReadFromStream(in);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    }

    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
};

TEST_F(BinMessageTest, ACompressedRequestStartsWithHeaderAndZlibStream) {
    TRCBinMessage m;
    m.Initialize(nullptr, "KestrinLibrary", "KestrinService", "RequestInfo");
    m.WriteValue("id", std::u16string(u"7"));
    m.WriteValue("vacio", std::u16string());
    const std::string bytes = Request(m);
    EXPECT_EQ(ToHex(bytes.substr(0, 12)), "52 4F 31 30 37 01 00 00 00 00 00 00");
    EXPECT_EQ(ToHex(bytes.substr(12, 16)), kGuidHex);
    EXPECT_EQ(ToHex(bytes.substr(28, 2)), "78 DA");
    const std::string body = wire::Inflate(bytes.substr(28));
    EXPECT_EQ(ToHex(body), ToHex(Ansi("KestrinService") + Ansi("RequestInfo") + Hex("01 00 00 00") +
                                 Hex("37 00") + Hex("00 00 00 00")));
    EXPECT_EQ(bytes.find("KestrinLibrary"), std::string::npos);
    EXPECT_EQ(body.find("KestrinLibrary"), std::string::npos);
}

TEST_F(BinMessageTest, AnUncompressedRequestCarriesTheBodyAsIs) {
    TRCBinMessage m;
    m.UseCompression = false;
    m.Initialize(nullptr, "KestrinService", "MyIp");
    m.Finalize();
    const std::string bytes = Request(m);
    EXPECT_EQ(ToHex(bytes), ToHex(Hex("52 4F 31 30 37 00 00 00 00 00 00 00") + Hex(kGuidHex) +
                                  Ansi("KestrinService") + Ansi("MyIp")));
}

TEST_F(BinMessageTest, HooksAndCompressionFiguresAreReported) {
    sim.system.tickStep = 3;
    TRCBinMessage m;
    m.Initialize(nullptr, "S", "Op");
    std::vector<int32_t> figures;
    m.OnCompress.Assign([&](int32_t original, int32_t compressed, int32_t time) {
        figures = {original, compressed, time};
    });
    size_t positionSeen = 99;
    m.OnWriteToStream.Assign([&](MemoryStream& s) { positionSeen = s.Position(); });
    const std::string bytes = Request(m);
    EXPECT_EQ(positionSeen, 0u);
    EXPECT_EQ(figures, (std::vector<int32_t>{4 + 1 + 4 + 2, int32_t(bytes.size()), 3}));
}

TEST_F(BinMessageTest, InitializeStartsAFreshBodyAndSetsTheHttpHeaders) {
    FakeHttpServer server;
    TRCWinInetHTTPChannel channel(nullptr, MakeFakeTransfer(server));
    channel.UserAgent = "otro";
    TRCBinMessage m;
    m.UseCompression = false;
    m.Initialize(&channel, "A", "B");
    m.WriteValue("x", std::u16string(u"zzz"));
    m.Initialize(&channel, "C", "D");
    EXPECT_EQ(Request(m).substr(28), Ansi("C") + Ansi("D"));
    EXPECT_EQ(channel.UserAgent, "Kestrin Remoting");
    EXPECT_EQ(channel.PendingHeaders(),
              "Content-Type: application/binary\r\nContent-Type: application/binary");
}

TEST_F(BinMessageTest, ARepliesNamesAndClientIdReplaceTheRequests) {
    TRCBinMessage m;
    m.Initialize(nullptr, "KestrinService", "MyIp");
    const std::string otherId = Hex("01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10");
    const std::string body = Ansi("Otro") + Ansi("Nombre") + Wide(u"10.0.0.1");
    // Uncompressed although requests are compressed: read in place after the header.
    ASSERT_EQ(Parse(m, wire::Header(0, 0, otherId) + body), "");
    std::u16string result;
    m.ReadValue("Result", result);
    EXPECT_EQ(result, u"10.0.0.1");
    EXPECT_EQ(m.GetInterfaceName(), "Otro");
    EXPECT_EQ(m.GetMessageName(), "Nombre");
    const Guid id = m.GetClientID();
    EXPECT_EQ(std::string(id.begin(), id.end()), otherId);
    EXPECT_EQ(Request(m).substr(12, 16), otherId);
}

TEST_F(BinMessageTest, ACompressedReplyIsInflatedWhateverTheBufferSize) {
    const std::u16string big(30000, u'x');
    const std::string body = Ansi("S") + Ansi("Op") + Wide(big);
    const std::string reply = wire::Header(1, 0, std::string(16, '\0')) + wire::Deflate(body);
    for (int32_t bufferSize : {0, 1, 262144}) {
        TRCBinMessage m;
        m.CompressionBufferSize = bufferSize;
        std::vector<int32_t> figures;
        m.OnDecompress.Assign([&](int32_t original, int32_t compressed, int32_t) {
            figures = {original, compressed};
        });
        ASSERT_EQ(Parse(m, reply), "") << bufferSize;
        std::u16string result;
        m.ReadValue("Result", result);
        EXPECT_EQ(result, big) << bufferSize;
        EXPECT_EQ(figures, (std::vector<int32_t>{int32_t(body.size()), int32_t(reply.size())}));
    }
}

TEST_F(BinMessageTest, AnExceptionReplyRaisesTheServersError) {
    const std::string reply =
        wire::Header(0, 1, std::string(16, '\0')) + Ansi("EDatabaseError") + Ansi("Sin espacio");
    TRCBinMessage m;
    const Exception* seen = nullptr;
    m.OnServerException.Assign([&](const Exception& e) { seen = &e; });
    MemoryStream in(reply);
    try {
        m.ReadFromStream(in);
        FAIL() << "no exception";
    } catch (const ERCServerException& e) {
        EXPECT_STREQ(e.what(), "An exception occurred on the server:\r\rSin espacio");
        EXPECT_EQ(seen, &e);
    }

    // A class the client registered comes back as itself, its name compared without case.
    m.RegisterServerException<EMyServerError>("EDATABASEERROR");
    MemoryStream again(wire::Header(1, 1, std::string(16, '\0')) +
                       wire::Deflate(Ansi("EDatabaseError") + Ansi("Lleno")));
    EXPECT_THROW(m.ReadFromStream(again), EMyServerError);
}

TEST_F(BinMessageTest, WrittenExceptionRepliesReadBack) {
    TRCBinMessage server;
    MemoryStream reply;
    server.WriteException(reply, ERCServerException("No autorizado"));
    EXPECT_EQ(reply.Data()[6], 1);
    EXPECT_EQ(wire::Inflate(Bytes(reply).substr(28)),
              Ansi("ERCServerException") + Ansi("No autorizado"));
    TRCBinMessage client;
    EXPECT_EQ(Parse(client, Bytes(reply)), "An exception occurred on the server:\r\rNo autorizado");
}

TEST_F(BinMessageTest, NameAndTextLengthsAreLimited) {
    const std::string zero(16, '\0');
    struct Row {
        std::string body;
        uint8_t type;
        const char* error;
    };
    const Row rows[] = {
        {Ansi(std::string(256, 'a')) + Ansi("b"), 0, ""},
        {Ansi(std::string(257, 'a')) + Ansi("b"), 0,
         "Stream read error: Invalid string length \"257\""},
        {Ansi("a") + Ansi(std::string(257, 'b')), 0,
         "Stream read error: Invalid string length \"257\""},
        {Ansi(std::string(257, 'E')) + Ansi("x"), 1,
         "Stream read error: Invalid string length \"257\""},
        {Ansi("E") + Ansi(std::string(65537, 'x')), 1,
         "Stream read error: Invalid string length \"65537\""},
        {Ansi("a") + Hex("05 00"), 0, "Unexpected end of stream."},
        {Hex("FF FF FF FF") + Hex("00 00 00 00"), 0, ""},  // negative: empty name
    };
    for (const Row& r : rows) {
        TRCBinMessage m;
        EXPECT_EQ(Parse(m, wire::Header(0, r.type, zero) + r.body), r.error) << ToHex(r.body);
    }
    TRCBinMessage m;
    const std::string longest =
        Parse(m, wire::Header(0, 1, zero) + Ansi("E") + Ansi(std::string(65536, 'x')));
    EXPECT_EQ(longest.substr(0, 36), "An exception occurred on the server:");
    EXPECT_EQ(longest.size(), 38u + 65536u);
}

TEST_F(BinMessageTest, SomethingElseThanAMessageShowsWhatArrived) {
    const std::string prefix =
        "Invalid binary header. Either incompatible or not a binary message.\r\r";
    const std::string page = "<html>\n<body>Error</body>\r\n</html>" + Hex("00 80 7F");
    TRCBinMessage m;
    EXPECT_EQ(Parse(m, page), prefix + "<html>.<body>Error</body>\r.</html>..\x7F");

    const std::string longPage = "<p>" + std::string(600, 'x');
    EXPECT_EQ(Parse(m, longPage), prefix + longPage.substr(0, 500));
    EXPECT_EQ(Parse(m, "RO1"), prefix + "RO1");
    // The signature alone: the rest of the header reads as zeros, then the names are missing.
    EXPECT_EQ(Parse(m, "RO107"), "Unexpected end of stream.");
}

TEST_F(BinMessageTest, MessageTypesBeyondExceptionAreRejected) {
    TRCBinMessage m;
    const Guid before = m.GetClientID();
    for (uint8_t type : {2, 7, 255}) {
        const std::string reply =
            wire::Header(0, type, std::string(16, 'z')) + Wide(u"no es un resultado");
        EXPECT_EQ(Parse(m, reply), "Invalid binary message type " + std::to_string(type) +
                                       ". Either incompatible or not a binary message.");
    }
    EXPECT_EQ(m.GetClientID(), before);
}

TEST_F(BinMessageTest, CorruptCompressedBodiesFail) {
    TRCBinMessage m;
    const std::string header = wire::Header(1, 0, std::string(16, '\0'));
    EXPECT_EQ(Parse(m, header + "no es zlib"), "incorrect header check");
    const std::string whole = wire::Deflate(Ansi("S") + Ansi("Op"));
    EXPECT_EQ(Parse(m, header + whole.substr(0, whole.size() - 3)),
              "unexpected end of compressed data");
    EXPECT_EQ(Parse(m, header), "unexpected end of compressed data");
}

TEST(LengthStrings, WriteAndReadBack) {
    MemoryStream s;
    WriteLengthString(s, "");
    WriteLengthString(s, "abc");
    EXPECT_EQ(wire::ToHex(std::string(s.Bytes().begin(), s.Bytes().end())),
              "00 00 00 00 03 00 00 00 61 62 63");
    s.SetPosition(0);
    std::string text = "x";
    ReadLengthString(s, -1, text);
    EXPECT_EQ(text, "");
    ReadLengthString(s, 3, text);
    EXPECT_EQ(text, "abc");
    EXPECT_THROW(ReadLengthString(s, -1, text), Exception);  // nothing left
}

}  // namespace
}  // namespace rb
