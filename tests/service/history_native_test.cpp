// Each machine's history in the console: inventories grouped by the computer they came from,
// the changes each one brought, the comparison of any two, the recent changes and the API.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/cp1252.h"
#include "service/console_harness.h"
#include "service/filing/changes.h"
#include "viewer/golden_inventory.h"

namespace rb::test {
namespace {

using service::Role;

std::string Golden() {
    return ReadBytes(GoldenXmlPath());
}

// The golden document with one text replaced (the first time it appears).
std::string With(std::string xml, const std::string& from, const std::string& to) {
    const size_t at = xml.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) xml.replace(at, from.size(), to);
    return xml;
}

const std::string kProgram =
    " <THESTRING>Microsoft Office XP Profesional con FrontPage</THESTRING>\r\n"
    " <THEINDEX>1</THEINDEX>\r\n"
    "</StringCollectionItem>\r\n";
const std::string kNewProgram =
    kProgram + "<StringCollectionItem TYPE=\"TStringCollectionItem\">\r\n"
               " <THESTRING>Programa de prueba 1.0</THESTRING>\r\n"
               " <THEINDEX>2</THEINDEX>\r\n"
               "</StringCollectionItem>\r\n";

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class HistoryTest : public ::testing::Test {
protected:
    int64_t MachineOf(int64_t id) { return console.Store().GetSummary(id)->machineId; }
    ConsoleHarness console;
};

// Inventories of one computer stay together whoever sends them; another computer, or a
// document that cannot be read, does not join them.
TEST_F(HistoryTest, InventoriesAreGroupedByTheComputerTheyCameFrom) {
    const int64_t first = console.Deliver(Golden(), {"Ana", "1", "", ""});
    const int64_t renamedSender = console.Deliver(With(Golden(), kProgram, kNewProgram), {"Otra", "2", "", "X"});
    const std::string other = With(With(Golden(), "00-0C-29-3A-5B-7C", "00-1B-21-AA-BB-CC"),
                                   "Award Modular BIOS v6.00PG", "Phoenix BIOS 4.0");
    const int64_t otherComputer = console.Deliver(other, {"Ana", "1", "", ""});
    const int64_t unreadable = console.Deliver("<InfoSistema><no es un inventario", {"Ana", "", "", ""});
    EXPECT_NE(MachineOf(first), 0);
    EXPECT_EQ(MachineOf(renamedSender), MachineOf(first));
    EXPECT_NE(MachineOf(otherComputer), MachineOf(first));
    EXPECT_EQ(MachineOf(unreadable), 0);  // stored all the same
    EXPECT_TRUE(console.Store().GetInventory(unreadable));
    EXPECT_EQ(console.Store().GetMachine(MachineOf(first))->inventories, 2);
    const auto records = service::MachineChanges(console.Store(), MachineOf(first));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].inventoryId, renamedSender);
    EXPECT_EQ(records[0].previousId, first);
    EXPECT_EQ(records[0].changes, 1);
    EXPECT_EQ(records[0].summary, "+1 programa");
    EXPECT_EQ(records[1].summary, "primer inventario");
}

TEST_F(HistoryTest, PagesShowTheTimelineTheComparisonAndTheRecentChanges) {
    const int64_t a = console.Deliver(Golden(), {"Ana", "1", "", ""});
    const int64_t b = console.Deliver(
        With(With(Golden(), kProgram, kNewProgram), "<PHYSICALTOTAL>536330240", "<PHYSICALTOTAL>1073741824"),
        {"Ana", "1", "", ""});
    const std::string cookie = console.SignedIn("ana", Role::Lectura);
    const std::string machine = std::to_string(MachineOf(a));
    const std::string timeline = console.Get("/consola/maquinas/" + machine, cookie).body;
    // The page's arrow: UTF-8 of U+2192, which the code page lacks.
    EXPECT_TRUE(Has(timeline, "memoria 0,5 \xE2\x86\x92 1 GB, +1 programa")) << timeline;
    EXPECT_TRUE(Has(timeline, "/consola/comparar?a=" + std::to_string(a) + "&amp;b=" + std::to_string(b)));
    struct Row {
        std::string target;
        int status;
        std::vector<std::string> shown;
    };
    const Row rows[] = {
        {"/consola/comparar?b=" + std::to_string(b), 200,  // the previous one preselected
         {"Programa de prueba 1.0", "PhysicalTotal", "536330240", "1073741824"}},
        {"/consola/comparar?a=" + std::to_string(b) + "&b=" + std::to_string(b), 200,
         {"Nada ha cambiado."}},
        {"/consola/comparar?b=" + std::to_string(a), 404, {"es el primero de su máquina"}},
        {"/consola/comparar?a=1&b=999", 404, {"Elija el inventario"}},
        {"/consola/cambios?dias=3", 200, {"OFICINA-PEÑA", "+1 programa"}},
        {"/consola/maquinas", 200, {"OFICINA-PEÑA"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target);
        const service::http::Response page = console.Get(row.target, cookie);
        EXPECT_EQ(page.status, row.status);
        for (const std::string& text : row.shown) {
            EXPECT_TRUE(Has(page.body, Cp1252ToUtf8(text))) << text;
        }
    }
    const nlohmann::json changes = nlohmann::json::parse(
        console.Get("/api/v1/maquinas/" + machine + "/cambios", cookie).body);
    ASSERT_EQ(changes["comparaciones"].size(), 1u);
    EXPECT_EQ(changes["comparaciones"][0]["cambios"].size(), 2u);
    EXPECT_EQ(changes["comparaciones"][0]["cambios"][0]["tipo"], "changed");  // section order
    EXPECT_EQ(changes["comparaciones"][0]["cambios"][1]["tipo"], "added");
    const nlohmann::json one = nlohmann::json::parse(console.Get("/api/v1/maquinas/" + machine, cookie).body);
    EXPECT_EQ(one["inventarios"], 2);
    EXPECT_EQ(one["historia"][0]["cambios"], 2);
}

}  // namespace
}  // namespace rb::test
