// Writes the seed corpora (fuzz/corpus/<target>/) with the program's own writers, so the
// fuzzers start from well-formed input: documents, packages, replies, calls and structures.
//   make_seeds SOURCE-FOLDER
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "connection/package_file.h"
#include "core/cp1252.h"
#include "remoting/bin_message.h"
#include "service/remote_call/handler.h"
#include "xml/sys_info_xml.h"

std::string SerializerSeed();  // serializer_fuzz.cpp

namespace {

using namespace rb;

std::string root;

void Put(const std::string& target, const std::string& name, const std::string& bytes) {
    const std::string folder = root + "/fuzz/corpus/" + target;
    mkdir((root + "/fuzz/corpus").c_str(), 0755);
    mkdir(folder.c_str(), 0755);
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

std::string ReadAll(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Bytes(const MemoryStream& stream) {
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

// A call as the program posts it, compressed or not.
std::string CallMessage(const char* operation, const std::u16string* values, int count,
                        bool compressed) {
    TRCBinMessage message;
    message.UseCompression = compressed;
    message.Initialize(nullptr, "KestrinService", operation);
    for (int i = 0; i < count; ++i) message.WriteValue("p", values[i]);
    MemoryStream out;
    message.WriteToStream(out);
    return Bytes(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("uso: make_seeds CARPETA-DEL-PROYECTO\n", stderr);
        return 2;
    }
    root = argv[1];
    // Documents: the test inventory read and written again.
    TXMLSysInfo document;
    document.LoadXML(ReadAll(root + "/tests/data/xml/fresh_document.xml"));
    const std::string xml = document.SaveXML();
    Put("document", "inventory.xml", xml);
    Put("xml_node", "inventory.xml", xml);

    // A package of that inventory.
    const THeader header{"José Peña", "555 12 34", "línea 1\r\nlínea 2", "Soporte"};
    const std::string package = root + "/fuzz/corpus/package.tmp";
    WritePackageFile(BuildHeaderText(header) + xml, package);
    Put("package", "inventory.fzp", ReadAll(package));
    std::remove(package.c_str());

    // Request files as the vendor hands them out.
    Put("request_file", "full.rpg",
        "ProcessList=[pgWksta,pgOS,pgCPU,pgMem]\r\nNombre=Ana\r\nTelefono=555\r\n"
        "Observaciones=Oficina 2\r\nDestino=Soporte\r\nAuto=1\r\n");
    Put("request_file", "auto.rpg", "Auto=1\r\n");

    // Replies the client reads: a result and an exception (the first byte cuts the body).
    const std::u16string receipt = u"Recibido: inventario 7";
    Put("reply", "result.bin", "\x10" + service::ResultMessage(Guid{}, "AddInfo", receipt));
    TRCBinMessage failure;
    MemoryStream error;
    failure.WriteException(error, "Exception", "No hay ningún inventario");
    Put("reply", "exception.bin", "\x05" + Bytes(error));

    // Calls the service answers.
    const std::u16string fields[] = {u"Ana", u"555", Cp1252ToUtf16(xml), u"Observa", u"Soporte"};
    Put("service", "add_info_from_request.bin", CallMessage("AddInfoFromRequest", fields, 5, true));
    Put("service", "add_info_plain.bin", CallMessage("AddInfo", fields, 4, false));
    const std::u16string id = u"1";
    Put("service", "request_info.bin", CallMessage("RequestInfo", &id, 1, true));
    Put("service", "my_ip.bin", CallMessage("MyIp", nullptr, 0, false));

    Put("serializer", "all_kinds.bin", SerializerSeed());
    return 0;
}
