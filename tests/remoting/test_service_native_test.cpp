// Natively the reference service runs inside the test program, on a free loopback port, and
// the client reaches it over libcurl. Here too: what only the native build can check, the rows
// the service stored and the limits of its HTTP side.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

#include "connection/connection_module.h"
#include "core/cp1252.h"
#include "remoting/bin_message.h"
#include "remoting/http_channel.h"
#include "remoting/local_service_native.h"
#include "remoting/test_service.h"
#include "remoting/wire_bytes.h"
#include "service/filing/filing.h"
#include "service/remote_call/handler.h"
#include "service/store/sqlite_store.h"
#include "service/http/server.h"
#include "service/remote_call/remote_call.h"
#include "service/test_routes.h"
#include "test_files.h"

namespace rb {

LocalService& SharedService() {
    static LocalService service;
    return service;
}

std::string TestServiceRoot() {
    return SharedService().Root();
}

namespace {

TEST(LocalServiceDelivery, SendDirectStoresWhatWasSentAndExportsItAsAPackage) {
    TdmKestrinConnection module;
    module.RCWinInetHTTPChannel.SetTargetURL(TestServiceRoot() + service::kServicePath);
    module.SetHeader("José Peña", "+34 600 00 00 00", "Primera línea\r\nSegunda línea",
                     "Soporte técnico");
    module.XMLData = ReadBytes(RB_TEST_DATA "/xml/fresh_document.xml");
    module.XMLData.insert(module.XMLData.find("<NAME>") + 6, "Año 2024 – 5 €");
    ASSERT_TRUE(module.SendDirect());

    const auto rows = SharedService().Store().ListAll();
    ASSERT_FALSE(rows.empty());
    const std::optional<service::Inventory> stored = SharedService().Store().GetInventory(rows.back().id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->header.Nombre, "José Peña");
    EXPECT_EQ(stored->header.Telefono, "+34 600 00 00 00");
    EXPECT_EQ(stored->header.Observaciones, "Primera línea\r\nSegunda línea");
    EXPECT_EQ(stored->header.Destino, "Soporte técnico");
    EXPECT_EQ(stored->xml, module.XMLData);
    EXPECT_EQ(stored->peer, "127.0.0.1");
    EXPECT_EQ(stored->operation, "AddInfoFromRequest");
    EXPECT_EQ(stored->clientId, service::GuidText(module.RCBinMessage.GetClientID()));
    EXPECT_EQ(service::CountSections(stored->sections), 20);
    EXPECT_EQ(rows.back().xmlSize, static_cast<int64_t>(module.XMLData.size()));

    // The export is a package the program reads back as it was sent.
    TempDir dir;
    WritePackageFile(service::PackageText(*stored), dir.File("exportado.fzp"));
    TdmKestrinConnection reader;
    reader.LoadPackage(dir.File("exportado.fzp"));
    EXPECT_EQ(reader.XMLData, module.XMLData);
    EXPECT_EQ(reader.Header().Nombre, module.Header().Nombre);
    EXPECT_EQ(reader.Header().Observaciones, module.Header().Observaciones);
    EXPECT_EQ(reader.Header().Destino, module.Header().Destino);
}

// The channel's error for one POST of `size` bytes, "" when a reply came (left in `response`).
std::string Post(const std::string& root, size_t size, bool encoded, MemoryStream& response) {
    TRCWinInetHTTPChannel channel;
    channel.SetTargetURL(root + service::kServicePath);
    if (encoded) channel.SetHeader("Content-Encoding", "gzip");
    MemoryStream request(std::string(size, 'x'));
    try {
        channel.Dispatch(request, response);
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

// What the HTTP side refuses before any decoding, so the channel sees an HTTP error.
TEST(LocalServiceLimits, OversizedAndEncodedBodiesAreRefused) {
    service::Limits limits;
    limits.maxBody = 4096;
    LocalService small(limits);
    MemoryStream response;
    EXPECT_EQ(Post(small.Root(), 4097, false, response), "Payload Too Large (413)");
    EXPECT_EQ(Post(small.Root(), 1 << 20, false, response), "Payload Too Large (413)");
    EXPECT_EQ(Post(small.Root(), 100, true, response), "Unsupported Media Type (415)");
    // At the limit the body is decoded, and refused as no message.
    ASSERT_EQ(Post(small.Root(), 4096, false, response), "");
    TRCBinMessage reply;
    EXPECT_THROW(reply.ReadFromStream(response), ERCServerException);
    EXPECT_TRUE(small.Store().ListAll().empty());
}

}  // namespace
}  // namespace rb
