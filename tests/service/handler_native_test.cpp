// The reference service's request handling, without HTTP: good calls stored and answered,
// hostile bodies answered with an exception reply and nothing stored, and the store itself.
#include <gtest/gtest.h>

#include <random>

#include "core/cp1252.h"
#include "remoting/bin_message.h"
#include "remoting/wire_bytes.h"
#include "core/text.h"
#include "service/filing/filing.h"
#include "service/remote_call/handler.h"
#include "service/store/sqlite_store.h"
#include "xml/xml_node_tree.h"
#include "test_files.h"

namespace rb::service {
namespace {

using wire::Ansi;
using wire::Le32;
using wire::Wide;

const std::string kClientId = wire::Hex("00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF");

// A request as the client sends it: header, then the compressed (or plain) body.
std::string Request(const std::string& body, bool compressed = true, uint8_t type = 0) {
    return wire::Header(compressed ? 1 : 0, type, kClientId) +
           (compressed ? wire::Deflate(body) : body);
}
std::string Call(const std::string& op, const std::string& parameters) {
    return Request(Ansi("KestrinService") + Ansi(op) + parameters);
}

class HandlerTest : public ::testing::Test {
protected:
    // The result text of a reply, or the error it carries.
    std::string ResultOf(const Reply& reply) {
        MemoryStream stream(reply.body);
        TRCBinMessage message;
        try {
            message.ReadFromStream(stream);
            std::u16string result;
            message.ReadValue("Result", result);
            lastClientId = message.GetClientID();
            return Utf16ToCp1252(result);
        } catch (const ERCServerException& e) {
            return std::string("error: ") + e.what();
        }
    }
    std::string Answer(const std::string& body, const Limits& limits = Limits()) {
        const Reply reply = HandleMessage(body, "192.0.2.7", store, limits);
        const std::string text = ResultOf(reply);
        EXPECT_EQ(reply.status, text.rfind("error: ", 0) == 0 ? 500 : 200) << text;
        return text;
    }

    TempDir dir;
    SqliteStore store{dir.File("s.db")};
    Guid lastClientId{};
};

TEST_F(HandlerTest, AddInfoFromRequestIsStoredAndAnsweredWithAReceipt) {
    const std::string reply =
        Answer(Call("AddInfoFromRequest",
                    Wide(u"Jos\u00E9") + Wide(u"555") + Wide(u"<InfoSistema>\u20AC</InfoSistema>") +
                        Wide(u"l\u00EDnea 1\r\nl\u00EDnea 2") + Wide(u"Soporte")));
    EXPECT_EQ(reply, "Recibido: inventario 1");
    EXPECT_EQ(wire::ToHex(std::string(lastClientId.begin(), lastClientId.end())),
              wire::ToHex(kClientId));  // the reply carries the client's own identifier
    const std::optional<Inventory> row = store.GetInventory(1);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->header.Nombre, "José");
    EXPECT_EQ(row->header.Observaciones, "línea 1\r\nlínea 2");
    EXPECT_EQ(row->header.Destino, "Soporte");
    EXPECT_EQ(row->xml, "<InfoSistema>€</InfoSistema>");
    EXPECT_EQ(row->peer, "192.0.2.7");
    EXPECT_EQ(row->clientId, "{33221100-5544-7766-8899-AABBCCDDEEFF}");
    EXPECT_EQ(row->received.size(), 19u);

    // AddInfo has no destination; a plain (uncompressed) request is read as well.
    EXPECT_EQ(Answer(Request(Ansi("KestrinService") + Ansi("addinfo") + Wide(u"Ana") + Wide(u"") +
                                 Wide(u"<x/>") + Wide(u""),
                             false)),
              "Recibido: inventario 2");
    EXPECT_EQ(store.GetInventory(2)->operation, "AddInfo");
    EXPECT_EQ(Answer(Call("MyIp", "")), "192.0.2.7");
    EXPECT_EQ(Answer(Call("RequestInfo", Wide(u" 2 "))),
              BuildHeaderText({"Ana", "", "", ""}) + "<x/>");
}

// Every hostile body gets an exception reply; none is stored.
TEST_F(HandlerTest, HostileBodiesAreAnsweredWithAnError) {
    const std::string names = Ansi("KestrinService") + Ansi("AddInfoFromRequest");
    const std::string five = Wide(u"a") + Wide(u"b") + Wide(u"c") + Wide(u"d") + Wide(u"e");
    const std::string good = Request(names + five);
    Limits tight;
    tight.maxField = 8;
    struct Row {
        std::string body;
        const char* error;  // the start of the text after the server prefix
        Limits limits;
    };
    const Row rows[] = {
        {"", "Invalid binary header.", {}},
        {"POST / HTTP/1.0\r\n\r\n", "Invalid binary header.", {}},
        {"RO106" + good.substr(5), "Invalid binary header.", {}},
        {Request(names + five, false, 2), "Invalid binary message type 2.", {}},
        {Request(names + five, false, 1), "An exception occurred on the server:", {}},
        {wire::Header(0, 0, kClientId), "Unexpected end of stream.", {}},
        {good.substr(0, good.size() - 6), "unexpected end of compressed data", {}},
        {wire::Header(1, 0, kClientId) + "not zlib at all", "incorrect header check", {}},
        {Request(Le32(257) + std::string(257, 'K') + Ansi("MyIp")),
         "Stream read error: Invalid string length \"257\"",
         {}},
        {Call("MyIp", "").substr(0, 28) + wire::Deflate(Ansi("Otro") + Ansi("MyIp")),
         "Interfaz desconocida: \"Otro\"",
         {}},
        {Call("Borrar", ""), "Operación desconocida: \"Borrar\"", {}},
        {Request(names + Wide(u"a") + Wide(u"b")), "Unexpected end of stream.", {}},
        {Request(names + Le32(uint32_t(-1))),
         "Stream read error: Invalid string length \"-1\"",
         {}},
        {Request(names + Le32(0x7FFFFFFF)),
         "Stream read error: Invalid string length \"2147483647\"",
         {}},
        {Request(names + Le32(10) + "abcdef"), "Unexpected end of stream.", {}},
        {Request(names + Wide(u"123456789") + five),
         "Stream read error: Invalid string length \"9\"", tight},
        {Request(names + five + "!"), "La llamada a AddInfoFromRequest trae datos de más", {}},
        {Call("MyIp", Wide(u"extra")), "La llamada a MyIp trae datos de más", {}},
        {Call("RequestInfo", Wide(u"1e3")), "No hay ningún inventario con el número \"1e3\"", {}},
        {Call("RequestInfo", Wide(u"99")), "No hay ningún inventario con el número \"99\"", {}},
        {std::string(5000, '\0'), "Petición demasiado grande (5000 bytes)", Limits{4096}},
    };
    for (const Row& row : rows) {
        const std::string expected =
            std::string("error: An exception occurred on the server:\r\r") + row.error;
        const std::string got = Answer(row.body, row.limits);
        EXPECT_EQ(got.substr(0, expected.size()), expected);
    }
    EXPECT_TRUE(store.ListAll().empty());
}

// What a call may carry once decoded: the inflated body and the XML text have their own caps,
// refused with a reply that says so.
TEST_F(HandlerTest, InflatedBodyAndDatosAreCapped) {
    Limits limits;
    limits.maxInflated = 1 << 20;
    limits.maxDatos = 1000;
    const std::string names = Ansi("KestrinService") + Ansi("AddInfo");
    const auto addInfo = [&](const std::u16string& datos) {
        return Request(names + Wide(u"a") + Wide(u"b") + Wide(datos) + Wide(u"d"));
    };
    EXPECT_EQ(Answer(addInfo(std::u16string(1000, u'x')), limits), "Recibido: inventario 1");
    EXPECT_EQ(Answer(addInfo(std::u16string(1001, u'x')), limits),
              "error: An exception occurred on the server:\r\r"
              "Los datos del inventario pasan del límite de 1000 caracteres");
    // A small request that inflates past the cap (a bomb) is stopped there.
    const std::string bomb = Request(names + std::string(2 << 20, '\0'));
    EXPECT_LT(bomb.size(), 10000u);
    EXPECT_EQ(Answer(bomb, limits),
              "error: An exception occurred on the server:\r\r"
              "Compressed data expands beyond 1048576 bytes");
    EXPECT_EQ(store.ListAll().size(), 1u);
}

// A call posted again after its reply was lost is answered with the first receipt; any other
// difference (another client, another text) is a new inventory.
TEST_F(HandlerTest, ARepostedCallIsStoredOnce) {
    const std::string first = Call("AddInfoFromRequest", Wide(u"Ana") + Wide(u"1") +
                                                             Wide(u"<x/>") + Wide(u"") + Wide(u"D"));
    std::string otherClient = first;
    otherClient[12] ^= 1;
    const std::string otherText = Call(
        "AddInfoFromRequest", Wide(u"Ana") + Wide(u"1") + Wide(u"<y/>") + Wide(u"") + Wide(u"D"));
    const std::pair<const std::string*, const char*> rows[] = {
        {&first, "Recibido: inventario 1"},     {&first, "Recibido: inventario 1"},
        {&otherClient, "Recibido: inventario 2"}, {&otherText, "Recibido: inventario 3"},
        {&first, "Recibido: inventario 1"},
    };
    for (const auto& [body, receipt] : rows) EXPECT_EQ(Answer(*body), receipt);
    EXPECT_EQ(store.ListAll().size(), 3u);
}

// Random damage to good requests: always a reply the client can read, never a crash.
TEST_F(HandlerTest, DamagedRequestsAlwaysGetAReadableReply) {
    const std::string bodies[] = {
        Call("AddInfoFromRequest",
             Wide(u"a") + Wide(u"b") + Wide(u"<x/>") + Wide(u"d") + Wide(u"e")),
        Request(Ansi("KestrinService") + Ansi("RequestInfo") + Wide(u"1"), false),
    };
    std::mt19937 random(20240501);
    for (int i = 0; i < 400; ++i) {
        std::string body = bodies[i % 2];
        for (int hits = 1 + int(random() % 4); hits > 0; --hits) {
            const size_t at = random() % body.size();
            switch (random() % 3) {
                case 0:
                    body[at] = static_cast<char>(random());
                    break;
                case 1:
                    body.resize(at);
                    break;
                default:
                    body.insert(at, std::string(1 + random() % 8, static_cast<char>(random())));
            }
            if (body.empty()) body = "R";
        }
        const Reply reply = HandleMessage(body, "::1", store);
        const std::string text = ResultOf(reply);  // throws for a reply it cannot read
        ASSERT_EQ(reply.status == 500, text.rfind("error: ", 0) == 0) << text;
    }
}

TEST_F(HandlerTest, StoredInventoriesOutliveTheStore) {
    Inventory inventory;
    inventory.header = {"Peña", "1", "a\r\nb", "D"};
    inventory.xml = std::string("<x>\0\xFF</x>", 9);
    inventory.sections = "pgCPU,pgMem";
    inventory.received = UtcNow();
    EXPECT_EQ(KeepInventory(store, inventory), 1);
    EXPECT_EQ(KeepInventory(store, Inventory()), 2);  // empty texts are texts too
    SqliteStore reopened(dir.File("s.db"));
    const std::optional<Inventory> row = reopened.GetInventory(1);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->header.Observaciones, "a\r\nb");
    EXPECT_EQ(row->xml, inventory.xml);
    EXPECT_EQ(reopened.GetInventory(2)->xml, "");
    EXPECT_FALSE(reopened.GetInventory(3));
    const std::vector<InventorySummary> list = reopened.ListAll();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].header.Nombre, "Peña");
    EXPECT_EQ(CountSections(list[0].sections), 2);
    EXPECT_EQ(list[0].xmlSize, 9);
    EXPECT_THROW(SqliteStore(dir.File("no/such/folder/x.db")), Exception);
}

TEST(ServiceTexts, SectionsGuidsAndReceipts) {
    struct Row {
        const char* sections;
        int count;
    };
    const Row rows[] = {
        {"", 0}, {"pgCPU", 1}, {"pgCPU,pgMem", 2}, {"[pgCPU, pgMem ,pgDisk]", 3}, {",,", 0}};
    for (const Row& row : rows) EXPECT_EQ(CountSections(row.sections), row.count) << row.sections;
    const std::string document = ReadBytes(RB_TEST_DATA "/xml/fresh_document.xml");
    EXPECT_EQ(CountSections(SelectedSections(document)), 20);
    EXPECT_EQ(SelectedSections(ReadBytes(RB_TEST_DATA "/xml/empty_processlist.xml")), "");
    EXPECT_EQ(SelectedSections("no es XML"), "");
    // The one-pass reading gives what the node tree gives, also for odd documents.
    const char* const documents[] = {
        "<I><SYSTEMINFO><PROCESSLIST> pgOS,pgCPU </PROCESSLIST></SYSTEMINFO></I>",
        "<I><systeminfo a=\"1\"><x>q</x>junk<processlist>pgOS</processlist></systeminfo></I>",
        "<I><SYSTEMINFO><PROCESSLIST>a<b>c</b>d</PROCESSLIST></SYSTEMINFO></I>",
        "<I><SYSTEMINFO a=\"1\"/><SYSTEMINFO><PROCESSLIST>pgOS</PROCESSLIST></SYSTEMINFO></I>",
        "<I><SYSTEMINFO><PROCESSLIST>pgOS</PROCESSLIST><PROCESSLIST>pgCPU</PROCESSLIST>",
        "<I><X><SYSTEMINFO><PROCESSLIST>pgOS</PROCESSLIST></SYSTEMINFO></X></I>",
        "< I><SYSTEMINFO><PROCESSLIST>pgOS</PROCESSLIST></SYSTEMINFO>",
        "<I>< x><SYSTEMINFO><PROCESSLIST>pgOS</PROCESSLIST></SYSTEMINFO></I>",
        "<I></I></I><SYSTEMINFO><PROCESSLIST>pgOS</PROCESSLIST></SYSTEMINFO>",
        "<?xml?><I><SYSTEMINFO><PROCESSLIST>pgOS",
        "<I><SYSTEMINFO><PROCESSLIST x=\"/\">pgOS</PROCESSLIST></SYSTEMINFO></I>",
        "<I><SYSTEMINFO><PROCESSLIST>>pg<OS>>/</PROCESSLIST></SYSTEMINFO></I>",
    };
    for (const char* document : documents) {
        TXMLNode root;
        root.SetXML(document);
        std::string expected;
        if (const int info = root.IndexOfChild("SYSTEMINFO"); info >= 0) {
            const TXMLNode& system = root.Children(info);
            const int list = system.IndexOfChild("PROCESSLIST");
            if (list >= 0) expected = Trim(system.Children(list).Body());
        }
        EXPECT_EQ(SelectedSections(document), expected) << document;
    }
    EXPECT_EQ(ReceiptText(7), "Recibido: inventario 7");
    Guid id{};
    for (int i = 0; i < 16; ++i) id[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(GuidText(id), "{03020100-0504-0706-0809-0A0B0C0D0E0F}");
}

}  // namespace
}  // namespace rb::service
