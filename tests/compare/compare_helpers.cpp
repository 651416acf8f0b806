#include "compare/compare_helpers.h"

#include "compare/change_text.h"
#include "core/cp1252.h"
#include "test_files.h"
#include "viewer/golden_inventory.h"

namespace rb::compare {

void PrintTo(const Change& c, std::ostream* out) {
    *out << Cp1252ToUtf8(ChangeLine(c)) << " {" << ChangeKindName(c.kind) << ", " << c.section
         << ", " << c.list << ", " << Cp1252ToUtf8(c.item) << ", " << c.property << ", "
         << Cp1252ToUtf8(c.oldValue) << ", " << Cp1252ToUtf8(c.newValue) << "}";
}

namespace test {

std::unique_ptr<TXMLSysInfo> LoadGolden() {
    auto doc = std::make_unique<TXMLSysInfo>();
    doc->LoadXML(ReadBytes(rb::test::GoldenXmlPath()));
    return doc;
}

}  // namespace test
}  // namespace rb::compare
