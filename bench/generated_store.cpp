#include "generated_store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "core/text.h"
#include "service/store/postgres_db.h"
#include "service/store/postgres_rows.h"
#include "service/store/postgres_store.h"
#include "service/store/search_text.h"

namespace rb::bench {
namespace {

using service::SearchCopy;

const char* const kVendors[] = {
    "Microsoft", "Adobe",     "Oracle",    "Symantec", "McAfee",  "Nero",    "Corel",
    "Autodesk",  "Sage",      "Contaplus", "Panda",    "Intel",   "Realtek", "NVIDIA",
    "Logitech",  "HP",        "Canon",     "Epson",    "Lexmark", "Mozilla", "Google",
    "Apple",     "Winzip",    "RarLab",    "Igor",     "Sonic",   "Roxio",   "Citrix",
    "VMware",    "Kaspersky", "Avast",     "Trend",    "Sophos",  "Novell",  "IBM",
    "SAP",       "Telefónica"};
const char* const kProducts[] = {
    "Office",  "Reader",       "Java Runtime", "Antivirus", "Burning ROM", "Draw",      "AutoCAD",
    "Nóminas", "Contabilidad", "Security",     "Chipset",   "Audio HD",    "Display",   "SetPoint",
    "Deskjet", "Scanner",      "Print",        "Firefox",   "Chrome",      "QuickTime", "iTunes",
    "Zip",     "WinRAR",       "7-Zip",        "Tracker",   "Creator",     "Media",     "Client",
    "Player",  "Tools",        "Update",       "Manager",   "Explorer",    "Studio",    "Viewer",
    "Express", "Professional", "Server",       "Agent",     "Facturación", "Almacén"};
const char* const kDepartments[] = {"VENTAS",    "ALMACEN", "CONTABILIDAD", "RECEPCION",
                                    "DIRECCION", "TALLER",  "COMPRAS",      "LOGISTICA",
                                    "CALIDAD",   "SOPORTE", "NOMINAS",      "MARKETING"};
const char* const kNames[] = {"José",   "María", "Ángel", "Lucía", "Íñigo", "Núria", "Óscar",
                              "Begoña", "Ramón", "Inés",  "Raúl",  "Sofía", "Jesús", "Ana"};
const char* const kSurnames[] = {"Peña",  "Muñoz",     "García", "Martínez", "López",  "Sánchez",
                                 "Gómez", "Fernández", "Díaz",   "Álvarez",  "Ibáñez", "Núñez"};
constexpr int kPopular = 30, kTail = 12000, kPopularEach = 10, kTailEach = 70;

std::string Program(int p) {
    return Format("%s %s %d.%d", kVendors[p % std::size(kVendors)],
                  kProducts[p % std::size(kProducts)], 1 + p / 1517, p % 10);
}

std::string Computer(int64_t machine) {
    return Format("PC-%s-%06lld", kDepartments[(machine / 100) % std::size(kDepartments)],
                  static_cast<long long>(machine));
}

// One field of COPY's text form.
void Text(std::string& line, const std::string& utf8) {
    for (const char c : utf8) {
        switch (c) {
            case '\\':
                line += "\\\\";
                break;
            case '\t':
                line += "\\t";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\r':
                line += "\\r";
                break;
            default:
                line += c;
        }
    }
    line += '\t';
}

void Bytes(std::string& line, const std::string& bytes) {
    static const char* const hex = "0123456789abcdef";
    line += "\\\\x";
    for (const unsigned char c : bytes) {
        line += hex[c >> 4];
        line += hex[c & 15];
    }
    line += '\t';
}

void Number(std::string& line, int64_t value) {
    line += std::to_string(value) + '\t';
}

void EndLine(std::string& line) {
    line.back() = '\n';
}

// The programs of a machine (their ids, from 1, in order): some of the few that most have, and
// many of the rest, as an array in COPY's text form.
std::string ProgramsOf(int64_t machine) {
    std::mt19937 random(static_cast<uint32_t>(machine * 2654435761u));
    std::vector<int> ids;
    for (int i = 0; i < kPopularEach; ++i) ids.push_back(1 + int(random() % kPopular));
    for (int i = 0; i < kTailEach; ++i) ids.push_back(1 + kPopular + int(random() % kTail));
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    std::string array = "{";
    for (const int id : ids) array += std::to_string(id) + ",";
    array.back() = '}';
    return array;
}

std::string Received(int64_t row, int64_t rows) {
    const int64_t start = 1672531200;  // 2023-01-01
    return service::UtcText(start + row * (2 * 365 * 86400 / rows));
}

// A document of about 12 KB (as a real one of 28 KB, kept out of the row, compressed).
std::string Document(const std::string& computer, int64_t row) {
    std::string xml = "<InfoSistema><MACHINE><NAME>" + computer + "</NAME></MACHINE>\r\n";
    for (int64_t d = 0; d < 120; ++d) {
        xml += Format(
            "<DEVICE><NAME>Controlador %lld</NAME><ID>PCI\\VEN_%04llX&amp;DEV_%04llX"
            "</ID></DEVICE>\r\n",
            (long long)d, (long long)((row * 7919 + d * 104729) & 0xFFFF),
            (long long)((row * 31 + d) & 0xFFFF));
    }
    return xml + "</InfoSistema>\r\n";
}

// The COPY line of inventory `row` (from 1) of `machine`, after those in `line`.
void InventoryLine(std::string& line, int64_t row, int64_t rows, int64_t machine) {
    const std::string computer = Computer(machine);
    const std::string nombre = Format("%s %s", kNames[row % std::size(kNames)],
                                      kSurnames[(row / 7) % std::size(kSurnames)]);
    const std::string telefono = Format("6%02lld %03lld %03lld", (long long)(row % 100),
                                        (long long)(row / 100 % 1000), (long long)(machine % 1000));
    const std::string notas = row % 5 ? "" : "La impresora no imprime; revisar el controlador";
    const std::string xml = Document(computer, row);
    std::string hash(32, '\0');
    for (int i = 0; i < 8; ++i) hash[i] = static_cast<char>(row >> (8 * i));
    Number(line, row);
    Text(line, Received(row, rows));
    Bytes(line, "192.0.2." + std::to_string(machine % 250));
    Bytes(line, Format("{%08llX-0000-4000-8000-000000000000}", (long long)machine));
    Bytes(line, "AddInfoFromRequest");
    Bytes(line, nombre);
    Bytes(line, telefono);
    Bytes(line, notas);
    Bytes(line, "Soporte técnico");
    Bytes(line, xml);
    Bytes(line, "pgWksta,pgOS,pgCPU,pgMem,pgSoftware");
    Bytes(line, hash);
    Number(line, static_cast<int64_t>(xml.size()));
    Number(line, 1);
    Bytes(line, computer);
    Bytes(line, "Microsoft Windows XP Professional 5.1.2600");
    Bytes(line, "GenuineIntel");
    Number(line, int64_t(512 + 512 * (machine % 4)) << 20);
    Number(line, row % 17 == 0 ? 2 : 0);
    Number(line, 5);
    Number(line, machine);
    Text(line, SearchCopy(nombre));
    Text(line, SearchCopy(telefono));
    Text(line, SearchCopy(notas));
    Text(line, SearchCopy("Soporte técnico"));
    Text(line, SearchCopy(computer));
    Text(line, ProgramsOf(machine));
    EndLine(line);
}

const char* const kInventoryCopy =
    "COPY inventories (id, received, peer, client_id, operation, nombre, telefono,"
    " observaciones, destino, xml, sections, content_hash, xml_size, facts_version, computer,"
    " os, cpu, memory, problems, section_count, machine_id, search_nombre, search_telefono,"
    " search_observaciones, search_destino, search_computer, program_ids) FROM STDIN";

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

GeneratedStore Describe(int64_t rows) {
    GeneratedStore store;
    store.rows = rows;
    store.machines = std::max<int64_t>(1, rows / 4);
    store.rareProgram = Program(kPopular + 4321);
    store.commonProgram = Program(7);
    store.computerPart = Computer(120).substr(3, Computer(120).size() - 4);
    return store;
}

GeneratedStore FillStore(const std::string& address, int64_t rows) {
    service::PostgresStore(address).SchemaVersion();  // the schema, made by the store itself
    const GeneratedStore store = Describe(rows);
    service::pg::Connection c(address);
    // The secondary indexes are set aside while the rows go in, and made again after.
    const service::pg::Result indexes = c.Exec(
        "SELECT indexname, indexdef FROM pg_indexes WHERE schemaname = current_schema()"
        " AND tablename = 'inventories' AND indexname NOT IN"
        " ('inventories_pkey', 'inventories_same')");
    for (int i = 0; i < indexes.Rows(); ++i) c.Run("DROP INDEX " + indexes.Column(i, 0));
    const auto start = std::chrono::steady_clock::now();
    int program = 0;
    c.CopyIn("COPY programs (id, name, name_hash, search_name) FROM STDIN", [&](std::string& data) {
        for (; program < kPopular + kTail && data.size() < 65536; ++program) {
            const std::string name = Program(program);
            Number(data, program + 1);
            Bytes(data, name);
            Bytes(data, service::pg::Sha256(name));
            Text(data, SearchCopy(name));
            EndLine(data);
        }
        return !data.empty();
    });
    int64_t row = 0;
    c.CopyIn(kInventoryCopy, [&](std::string& data) {
        for (int n = 0; n < 500 && row < rows; ++n) {
            ++row;
            const int64_t machine = (row - 1) % store.machines + 1;
            InventoryLine(data, row, rows, machine);
        }
        return !data.empty();
    });
    std::printf("  %lld inventories written with COPY in %.0f s\n", (long long)rows, Since(start));
    std::fflush(stdout);
    c.Run(
        "INSERT INTO machines (id, identity, computer, first_inventory, last_inventory,"
        " last_received, inventories) SELECT machine_id, computer, computer, min(id), max(id),"
        " max(received), count(*) FROM inventories GROUP BY machine_id, computer;"
        "INSERT INTO machine_keys (key, key_hash, machine_id) SELECT 'name:'::bytea ||"
        " computer, sha256('name:'::bytea || computer), id FROM machines;"
        "SELECT setval(pg_get_serial_sequence('inventories', 'id'), max(id)) FROM inventories;"
        "SELECT setval(pg_get_serial_sequence('machines', 'id'), max(id)) FROM machines;"
        "SELECT setval(pg_get_serial_sequence('programs', 'id'), max(id)) FROM programs;"
        "UPDATE inventory_count SET inventories ="
        " (SELECT count(*) FROM inventories WHERE id % 16 = slot);");
    const auto indexing = std::chrono::steady_clock::now();
    c.Run("SET maintenance_work_mem = '1GB'");
    for (int i = 0; i < indexes.Rows(); ++i) c.Run(indexes.Column(i, 1));
    c.Run("VACUUM (ANALYZE) inventories");
    c.Run("VACUUM (ANALYZE) machines");
    c.Run("VACUUM (ANALYZE) programs");
    std::printf("  %d indexes made again and the tables vacuumed in %.0f s\n", indexes.Rows(),
                Since(indexing));
    return store;
}

}  // namespace rb::bench
