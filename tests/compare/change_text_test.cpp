// Changes as text: one line per change for the command line, and the Spanish summary of a
// change list for a machine's timeline (code page 1252 with "->", UTF-8 with "→").
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/change_text.h"
#include "compare/compare_helpers.h"
#include "core/cp1252.h"

namespace rb::compare {
namespace {

Change Make(ChangeKind kind, const char* section, const char* list, const char* item,
            const char* property = "", const char* before = "", const char* after = "") {
    return {kind, section, list, item, property, before, after};
}

constexpr ChangeKind kAdded = ChangeKind::Added;
constexpr ChangeKind kRemoved = ChangeKind::Removed;
constexpr ChangeKind kChanged = ChangeKind::Changed;

TEST(ChangeText, OneLinePerChange) {
    const struct {
        Change change;
        const char* line;
    } cases[] = {
        {Make(kAdded, "Software", "Installed", "Foo 1.2", "", "", "Foo 1.2"),
         "Software: + \"Foo 1.2\""},
        {Make(kRemoved, "Devices", "", "Grabadora ÑU DVD", "", "Grabadora ÑU DVD"),
         "Dispositivos: - \"Grabadora ÑU DVD\""},
        {Make(kChanged, "Software", "Installed", "Contabilidad Peña", "Version", "2.1", "2.2"),
         "Software: \"Contabilidad Peña\" Version: 2.1 -> 2.2"},
        {Make(kChanged, "Services", "", "Spooler", "StartType", "stManual", "stAuto"),
         "Servicios: \"Spooler\" StartType: Manual -> Automático"},
        {Make(kChanged, "Memory", "", "", "PhysicalTotal", "536330240", "1073741824"),
         "Memoria: PhysicalTotal: 536330240 -> 1073741824"},
        {Make(kChanged, "OS", "Environment", "PATH", "", "C:\\A", "C:\\B"),
         "Sistema Operativo: Environment \"PATH\": C:\\A -> C:\\B"},
        {Make(kAdded, "Network", "MACAddresses", "00-0C-29-00-00-01", "", "", "00-0C-29-00-00-01"),
         "Red: MACAddresses + \"00-0C-29-00-00-01\""},
        {Make(kChanged, "Machine", "", "", "CapsLock", "False", "True"),
         "Computadora: CapsLock: No -> Sí"},
        {Make(kChanged, "Printers", "", "HP", "Comment", "", "Planta 1\r\nal fondo"),
         "Impresoras: \"HP\" Comment: \"\" -> Planta 1  al fondo"},
        {Make(kRemoved, "Unknown", "Things", "x", "", "x"), "Unknown: Things - \"x\""},
    };
    for (const auto& c : cases) EXPECT_EQ(ChangeLine(c.change), c.line) << c.line;
}

TEST(ChangeText, SummaryCountsPerSectionWithSpanishNouns) {
    const struct {
        std::vector<Change> changes;
        const char* summary;
    } cases[] = {
        {{}, "sin cambios"},
        {{Make(kAdded, "Software", "Installed", "A 1"), Make(kAdded, "Software", "Installed", "B"),
          Make(kAdded, "Software", "Installed", "C 2"),
          Make(kChanged, "Services", "", "Spooler", "StartType", "stAuto", "stManual"),
          Make(kChanged, "Memory", "", "", "PhysicalTotal", "8589934592", "17179869184")},
         "+3 programas, 1 servicio cambiado, memoria 8 -> 16 GB"},
        // Changes of one item count once; feminine nouns agree.
        {{Make(kChanged, "Printers", "", "HP", "Comment", "a", "b"),
          Make(kChanged, "Printers", "", "HP", "PortName", "LPT1:", "LPT2:"),
          Make(kChanged, "Printers", "", "Epson", "Comment", "", "c"),
          Make(kRemoved, "Printers", "", "Canon"), Make(kAdded, "Disks", "", "F:")},
         "-1 impresora, 2 impresoras cambiadas, +1 disco"},
        {{Make(kChanged, "Memory", "", "", "PhysicalTotal", "536330240", "1073741824"),
          Make(kChanged, "Memory", "", "", "VirtualTotal", "1", "2"),
          Make(kChanged, "OS", "", "", "TimeZone.Bias", "-60", "0"),
          Make(kChanged, "OS", "", "", "CSD", "Service Pack 2", "Service Pack 3"),
          Make(kChanged, "OS", "Environment", "PATH", "", "a", "b")},
         "memoria 0,5 -> 1 GB, 1 cambio en Memoria, 1 variable de entorno cambiada, "
         "2 cambios en Sistema Operativo"},
        {{Make(kChanged, "Machine", "", "", "Name", "OFICINA-PEÑA", "CONTABILIDAD"),
          Make(kRemoved, "Devices", "", "Grabadora"), Make(kRemoved, "Devices", "", "Módem"),
          Make(kAdded, "Network", "MACAddresses", "X")},
         "nombre OFICINA-PEÑA -> CONTABILIDAD, -2 dispositivos, +1 dirección MAC"},
        {{Make(kAdded, "Unknown", "Things", "x")}, "+1 elemento"},
    };
    for (const auto& c : cases) EXPECT_EQ(ChangeSummary(c.changes), c.summary) << c.summary;
}

TEST(ChangeText, TheUtf8SummaryHasTheArrowAndConvertedTexts) {
    const std::vector<Change> changes = {
        Make(kChanged, "Memory", "", "", "PhysicalTotal", "8589934592", "17179869184"),
        Make(kAdded, "Network", "IPAddresses", "10.0.0.1")};
    EXPECT_EQ(ChangeSummaryUtf8(changes),
              "memoria 8 \xE2\x86\x92 16 GB, +1 direcci\xC3\xB3n IP");
    EXPECT_EQ(Utf8ToCp1252(ChangeSummaryUtf8({})), ChangeSummary({}));
}

}  // namespace
}  // namespace rb::compare
