// The console's pages and API against a store of their own: who may open what, sign-in and
// its throttling, form tokens, hostile texts, downloads and request files as the program reads
// them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "connection/connection_module.h"
#include "core/cp1252.h"
#include "core/string_list.h"
#include "service/console/auth.h"
#include "service/console/csv.h"
#include "service/console/web.h"
#include "service/console_harness.h"
#include "service/inventory_texts.h"
#include "service/remote_call/handler.h"
#include "viewer/golden_inventory.h"
#include "xml/sys_info_xml.h"

namespace rb::test {
namespace {

using service::Role;

std::string Golden() {
    return ReadBytes(GoldenXmlPath());
}

THeader Header(const std::string& nombre, const std::string& destino = "") {
    return THeader{nombre, "600 000 000", "línea 1\r\nlínea 2", destino};
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ConsoleTest : public ::testing::Test {
protected:
    ConsoleHarness console;
};

// Every route refuses who may not use it: anyone is sent to sign in (the API answers 401),
// an account with a lesser role gets 403, the others their page.
TEST_F(ConsoleTest, EachRouteOpensOnlyToTheRolesAllowedIt) {
    const int64_t id = console.Deliver(Golden(), Header("Ana"));
    const std::string n = std::to_string(id);
    const std::string roles[] = {
        console.SignedIn("lectora", Role::Lectura), console.SignedIn("tecnica", Role::Soporte),
        console.SignedIn("jefa", Role::Admin)};
    struct Row {
        std::string target;
        int least;  // the least role (0 lectura, 1 soporte, 2 admin)
    };
    const Row rows[] = {
        {"/consola/inventarios", 0},
        {"/consola/inventarios?equipo=OFICINA&orden=memoria&dir=asc", 0},
        {"/consola/inventarios/" + n, 0},
        {"/consola/inventarios.csv", 1},
        {"/consola/inventarios/" + n + "/paquete", 1},
        {"/consola/inventarios/" + n + "/informe", 1},
        {"/consola/inventarios/" + n + "/xml", 1},
        {"/consola/solicitud", 1},
        {"/consola/cuentas", 2},
        {"/consola/registro", 2},
        {"/api/v1/inventarios", 0},
        {"/api/v1/inventarios/" + n, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target);
        const service::http::Response anonymous = console.Get(row.target);
        const bool api = row.target.rfind("/api/", 0) == 0;
        EXPECT_EQ(anonymous.status, api ? 401 : 303);
        if (!api) EXPECT_EQ(HeaderOf(anonymous, "Location").rfind("/consola/entrar?volver=", 0), 0u);
        for (int role = 0; role < 3; ++role) {
            EXPECT_EQ(console.Get(row.target, roles[role]).status, role >= row.least ? 200 : 403)
                << "role " << role;
        }
    }
    EXPECT_EQ(console.Get("/consola/inventarios/99999", roles[0]).status, 404);
    EXPECT_EQ(console.Get("/consola/inventarios/abc", roles[0]).status, 404);
    EXPECT_EQ(console.Get("/consola/estilo.css").status, 200);  // the sign-in page needs it
}

TEST_F(ConsoleTest, SignInOpensASessionAndRepeatedFailuresWait) {
    console.Console().GetAuth().CreateAccount("Núñez", Role::Lectura, "clave-de-prueba", "t");
    const service::http::Response form = console.Get("/consola/entrar");
    ASSERT_EQ(form.status, 200);
    const std::string cookie = HeaderOf(form, "Set-Cookie");
    const std::string token = cookie.substr(cookie.find('=') + 1, cookie.find(';') - cookie.find('=') - 1);
    const std::string previo = "kestrin_previo=" + token;
    const auto signIn = [&](const std::string& password, const std::string& formToken) {
        return console.Post("/consola/entrar",
                            "previo=" + formToken + "&usuario=N%C3%BA%C3%B1ez&clave=" + password +
                                "&volver=%2Fconsola%2Finventarios%3Fequipo%3Dx",
                            previo);
    };
    // Another site cannot post a sign-in: the form's token must come back with its cookie.
    EXPECT_EQ(signIn("clave-de-prueba", "otro").status, 403);
    const service::http::Response ok = signIn("clave-de-prueba", token);
    EXPECT_EQ(ok.status, 303);
    EXPECT_EQ(HeaderOf(ok, "Location"), "/consola/inventarios?equipo=x");
    const std::string session = HeaderOf(ok, "Set-Cookie");
    EXPECT_TRUE(Has(session, "HttpOnly") && Has(session, "SameSite=Strict")) << session;
    EXPECT_EQ(console.Get("/consola/inventarios", session.substr(0, session.find(';'))).status, 200);
    // Three failures are free; then each try waits, refused without looking at the password.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(signIn("mala", token).status, 401) << i;
    const service::http::Response slowed = signIn("clave-de-prueba", token);
    EXPECT_EQ(slowed.status, 429);
    EXPECT_TRUE(Has(slowed.body, "espere")) << slowed.body;
    int failures = 0;
    for (const service::AuditEntry& e : console.Store().Audit(50)) failures += e.action == "entrada fallida";
    EXPECT_EQ(failures, 3);
}

TEST_F(ConsoleTest, SessionsEndAtSignOutAndWhenIdle) {
    const std::string cookie = console.SignedIn("ana", Role::Soporte);
    const std::string csrf = console.Csrf(cookie);
    // A form that changes something needs the session's own token.
    EXPECT_EQ(console.Post("/consola/salir", "csrf=otro", cookie).status, 403);
    EXPECT_EQ(console.Post("/consola/solicitud", "s_pgCPU=1&destino=x", cookie).status, 403);
    EXPECT_EQ(console.Post("/consola/salir", "csrf=" + csrf, cookie).status, 303);
    EXPECT_EQ(console.Get("/consola/inventarios", cookie).status, 303);
    // A session idle for longer than allowed is over.
    const std::string idle = console.SignedIn("bea", Role::Lectura);
    const std::string hash = service::console::SecretHash(idle.substr(idle.find('=') + 1));
    console.Store().TouchSession(hash, service::NowSeconds() - 31 * 60);
    EXPECT_EQ(console.Get("/consola/inventarios", idle).status, 303);
    EXPECT_FALSE(console.Store().FindSession(hash));
}

// Texts from inventories are shown as text wherever they are written.
TEST_F(ConsoleTest, HostileTextsAreEscapedWhereverTheyAreWritten) {
    std::string xml = Golden();
    xml.replace(xml.find("OFICINA-PEÑA"), 12, "\"><script>alert(1)</script>");
    const int64_t id = console.Deliver(xml, Header("=HYPERLINK(\"http://x\")", "{{csrf}}<b>"));
    const std::string cookie = console.SignedIn("ana", Role::Soporte);
    for (const std::string& target : {std::string("/consola/inventarios"),
                                      "/consola/inventarios/" + std::to_string(id)}) {
        const service::http::Response page = console.Get(target, cookie);
        SCOPED_TRACE(target);
        EXPECT_FALSE(Has(page.body, "<script>alert")) << target;
        EXPECT_TRUE(Has(page.body, "&lt;script&gt;alert(1)&lt;/script&gt;"));
        EXPECT_TRUE(Has(page.body, "&quot;&gt;"));
        EXPECT_FALSE(Has(page.body, "<b>"));
        EXPECT_FALSE(Has(page.body, console.Csrf(cookie) + "<"));  // no template in a value
        EXPECT_TRUE(Has(HeaderOf(page, "Content-Security-Policy"), "default-src 'none'"));
    }
    const std::string csv = console.Get("/consola/inventarios.csv", cookie).body;
    EXPECT_TRUE(Has(csv, "\"'=HYPERLINK(\"\"http://x\"\")\"")) << csv;
    struct Cell {
        const char* text;
        const char* written;
    };
    const Cell cells[] = {{"plain", "plain"}, {"=1+1", "'=1+1"}, {"+34", "'+34"},
                          {"@SUM(A1)", "'@SUM(A1)"}, {"-12", "-12"}, {"-2+3", "'-2+3"},
                          {"a,b", "\"a,b\""}, {"x\r\ny", "\"x\r\ny\""}};
    for (const Cell& c : cells) EXPECT_EQ(service::console::CsvCell(c.text), c.written) << c.text;
}

// The downloads are what the program itself writes and reads.
TEST_F(ConsoleTest, DownloadsAreThePackageTheReportAndTheXmlOfTheProgram) {
    const int64_t id = console.Deliver(Golden(), Header("José", "CASO-7"));
    const std::string cookie = console.SignedIn("ana", Role::Soporte);
    const std::string base = "/consola/inventarios/" + std::to_string(id);
    const service::http::Response package = console.Get(base + "/paquete", cookie);
    ASSERT_EQ(package.status, 200);
    EXPECT_TRUE(Has(HeaderOf(package, "Content-Disposition"), "inventario-1.fzp"));
    TempDir dir;
    WriteBytes(dir.File("p.fzp"), package.body);
    TdmKestrinConnection reader;
    reader.LoadPackage(dir.File("p.fzp"));
    EXPECT_EQ(reader.XMLData, Golden());
    EXPECT_EQ(reader.Header().Destino, "CASO-7");
    EXPECT_EQ(reader.Header().Observaciones, "línea 1\r\nlínea 2");
    // The report is the viewer's "all topics" file: every section's report, CR LF lines.
    RegisterInformationClasses();
    TXMLSysInfo document;
    document.LoadXML(Golden());
    StringList lines;
    document.SystemInfo->Report(lines);
    EXPECT_EQ(console.Get(base + "/informe", cookie).body, lines.Text());
    EXPECT_EQ(console.Get(base + "/xml", cookie).body, Golden());
    int downloads = 0;
    for (const service::AuditEntry& e : console.Store().Audit(50)) {
        downloads += e.action == "descarga" && e.account == "ana";
    }
    EXPECT_EQ(downloads, 3);
}

// A request file made in the console is read by the program as it was asked.
TEST_F(ConsoleTest, RequestFilesAreWrittenAsTheProgramReadsThem) {
    const std::string cookie = console.SignedIn("ana", Role::Soporte);
    const std::string csrf = "csrf=" + console.Csrf(cookie);
    struct Row {
        std::string form;
        int status;
        uint32_t mask;  // of the sections asked for
        const char* nombre;
        const char* destino;
        bool automatic;
    };
    const Row rows[] = {
        {"&s_pgCPU=1&s_pgMem=1&s_pgDisk=1&nombre=Sucursal+3&destino=CASO-42&auto=1", 200,
         (1u << 2) | (1u << 3) | (1u << 11), "Sucursal 3", "CASO-42", true},
        {"&s_pgSoftware=1&destino=Pe%C3%B1a+%C3%B1", 200, 1u << 15, "", "Peña ñ", false},
        {"&destino=sin+secciones", 400, 0, "", "", false},
        {"&s_pgCPU=1&destino=dos%0D%0Al%C3%ADneas", 400, 0, "", "", false},
        {"&s_pgCPU=1&nombre=%E2%98%83", 400, 0, "", "", false},  // not in the code page
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.form);
        const service::http::Response file = console.Post("/consola/solicitud", csrf + row.form, cookie);
        ASSERT_EQ(file.status, row.status) << file.body;
        if (row.status != 200) continue;
        TempDir dir;
        WriteBytes(dir.File("s.rpg"), file.body);
        TdmKestrinConnection module;
        module.SetHeader("antes", "", "", "");
        module.LoadRequest(dir.File("s.rpg"));
        EXPECT_EQ(module.ProcessList.Mask(), row.mask);
        EXPECT_EQ(module.Header().Nombre, *row.nombre ? row.nombre : "antes");
        EXPECT_EQ(module.Header().Destino, row.destino);
        EXPECT_EQ(module.Auto, row.automatic);
    }
}

TEST_F(ConsoleTest, TheApiAnswersJsonToSessionsAndTokens) {
    const int64_t id = console.Deliver(Golden(), Header("Ana", "CASO-1"));
    console.Deliver(Golden(), Header("Bea", "CASO-2"));
    console.Console().GetAuth().CreateAccount("robot", Role::Lectura, "clave-de-prueba", "t");
    const std::string token =
        console.Console().GetAuth().CreateToken(console.Store().FindAccount("robot")->id, "x", "t");
    service::http::Request request;
    request.method = "GET";
    request.target = "/api/v1/inventarios?destino=CASO-2";
    request.headers.emplace_back("Authorization", "Bearer " + token);
    const service::http::Response list = console.Send(request);
    ASSERT_EQ(list.status, 200);
    const nlohmann::json body = nlohmann::json::parse(list.body);
    EXPECT_EQ(body["total"], 1);
    EXPECT_EQ(body["inventarios"][0]["nombre"], "Bea");
    EXPECT_EQ(body["inventarios"][0]["equipo"], Cp1252ToUtf8("OFICINA-PEÑA"));  // JSON is UTF-8
    request.target = "/api/v1/inventarios/" + std::to_string(id);
    const nlohmann::json one = nlohmann::json::parse(console.Send(request).body);
    EXPECT_EQ(one["cabecera"]["Observaciones"], Cp1252ToUtf8("línea 1\r\nlínea 2"));
    EXPECT_EQ(one["salud"].size(), 17u);
    EXPECT_FALSE(one["paginas"].empty());
    request.headers.back().second = "Bearer otro";
    EXPECT_EQ(console.Send(request).status, 401);
}

}  // namespace
}  // namespace rb::test
