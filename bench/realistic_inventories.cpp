#include "realistic_inventories.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "core/text.h"

namespace rb::bench {
namespace {

const char* const kVendors[] = {"Microsoft", "Adobe", "Kelto", "Autodesk", "Corel", "Symantec",
                                "McAfee", "Nero", "Sage", "Mozilla", "Oracle", "Intel"};
const char* const kProducts[] = {"Office", "Acrobat Reader", "Contabilidad", "Nóminas",
                                 "AutoCAD LT", "Antivirus", "Firewall", "Burning ROM",
                                 "Facturación", "Firefox", "Java Runtime", "Gráficos",
                                 "Visual C++ Runtime", "Compresor", "Agenda", "Almacén",
                                 "Terminal", "Escáner", "Impresión PDF", "Correo"};
const char* const kFirst[] = {"José", "María", "Juan", "Ana", "Luis", "Carmen", "Pedro",
                              "Lucía", "Javier", "Marta", "Sergio", "Elena", "Raúl", "Nuria"};
const char* const kLast[] = {"García", "Pérez", "López", "Martín", "Núñez", "Gómez", "Ruiz",
                             "Díaz", "Moreno", "Muñoz", "Álvarez", "Romero", "Peña", "Sanz"};

template <class T, size_t N>
const T& Pick(const T (&list)[N], std::mt19937& random) {
    return list[std::uniform_int_distribution<size_t>(0, N - 1)(random)];
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

std::string Programs(int64_t machine, int version) {
    std::mt19937 random(static_cast<uint32_t>(machine * 7919 + 17));
    const int count = 30 + static_cast<int>(random() % 51) + version;
    std::string items;
    for (int i = 0; i < count; ++i) {
        const std::string name = std::string(Pick(kVendors, random)) + " " + Pick(kProducts, random) +
                                 Format(" %d.%d", int(random() % 12), int(random() % 10));
        items += "<StringCollectionItem TYPE=\"TStringCollectionItem\">\r\n <THESTRING>" + name +
                 "</THESTRING>\r\n <THEINDEX>" + std::to_string(i) +
                 "</THEINDEX>\r\n</StringCollectionItem>\r\n";
    }
    return items;
}

}  // namespace

RealisticInventories::RealisticInventories(std::string golden, uint32_t seed)
    : golden_(std::move(golden)), random_(seed) {}

std::string RealisticInventories::Document(int64_t machine, int version) {
    std::string xml = golden_;
    Replace(xml, "OFICINA-PEÑA", Format("PC-%06lld", static_cast<long long>(machine)));
    Replace(xml, "00-0C-29-3A-5B-7C",
            Format("00-1B-%02X-%02X-%02X-%02X", int(machine >> 24 & 255), int(machine >> 16 & 255),
                   int(machine >> 8 & 255), int(machine & 255)));
    Replace(xml, "<SERIALNUMBER>1A2B-3C4D<",
            Format("<SERIALNUMBER>%04X-%04X<", int(machine >> 16 & 0xFFFF), int(machine & 0xFFFF)));
    Replace(xml, "Award Modular BIOS v6.00PG", Format("BIOS %lld", static_cast<long long>(machine % 97)));
    Replace(xml, "55274-640-1234567-23456",
            Format("55274-640-%07lld-23456", static_cast<long long>(machine % 10000000)));
    const int64_t memory = int64_t(512) << (20 + (machine + version / 3) % 6);
    Replace(xml, "<PHYSICALTOTAL>536330240<", Format("<PHYSICALTOTAL>%lld<", static_cast<long long>(memory)));
    const size_t start = xml.find("<INSTALLED TYPE=\"TStringCollection\">\r\n");
    const size_t end = xml.find("</INSTALLED>", start);
    if (start != std::string::npos && end != std::string::npos) {
        const size_t body = start + std::string("<INSTALLED TYPE=\"TStringCollection\">\r\n").size();
        xml.replace(body, end - body, Programs(machine, version));
    }
    return xml;
}

THeader RealisticInventories::Header() {
    THeader h;
    h.Nombre = std::string(Pick(kFirst, random_)) + " " + Pick(kLast, random_);
    h.Telefono = Format("6%02d %03d %03d", int(random_() % 100), int(random_() % 1000),
                        int(random_() % 1000));
    h.Observaciones = random_() % 3 ? "" : "El equipo va lento desde la última actualización";
    if (random_() % 4 == 0) h.Destino = Format("CASO-%d", int(random_() % 20000));
    return h;
}

std::string GoldenDocument() {
    std::ifstream file(RB_BENCH_DATA "/viewer/inventario.xml", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace rb::bench
