// kestrin-test-send: delivers an inventory to a collecting service as the program does
// (the remote call, natively over libcurl), for the tests of the service and its console.
//   kestrin-test-send URL DOCUMENT.xml [NOMBRE [TELEFONO [OBSERVACIONES [DESTINO]]]]
// The header's texts are UTF-8 on the command line ("\n" in them stands for a line end); the
// document is read as it is, code page 1252. Prints the service's receipt.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "core/cp1252.h"
#include "remoting/bin_message.h"
#include "remoting/http_channel.h"
#include "remoting/kestrin_service.h"

namespace {

std::string Header(int argc, char** argv, int index) {
    if (index >= argc) return "";
    std::string text = argv[index];
    for (size_t at; (at = text.find("\\n")) != std::string::npos;) text.replace(at, 2, "\r\n");
    return rb::Utf8ToCp1252(text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("uso: kestrin-test-send URL DOCUMENTO.xml [NOMBRE [TELEFONO [OBSERVACIONES "
                   "[DESTINO]]]]\n", stderr);
        return 2;
    }
    std::ifstream file(argv[2], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "no se pudo leer %s\n", argv[2]);
        return 1;
    }
    try {
        rb::TRCBinMessage message;
        rb::TRCWinInetHTTPChannel channel;
        channel.SetTargetURL(argv[1]);
        const std::string xml{std::istreambuf_iterator<char>(file), {}};
        const auto wide = [&](int index) { return rb::Cp1252ToUtf16(Header(argc, argv, index)); };
        const std::u16string receipt =
            rb::CoKestrinService::Create(message, channel)
                ->AddInfoFromRequest(wide(3), wide(4), rb::Cp1252ToUtf16(xml), wide(5), wide(6));
        std::puts(rb::Cp1252ToUtf8(rb::Utf16ToCp1252(receipt)).c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kestrin-test-send: %s\n", rb::Cp1252ToUtf8(e.what()).c_str());
        return 1;
    }
}
