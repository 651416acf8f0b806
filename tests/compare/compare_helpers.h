// The golden inventory as the comparison tests start from it, and readable changes in their
// failure messages.
#pragma once

#include <memory>
#include <ostream>

#include "compare/diff.h"
#include "xml/sys_info_xml.h"

namespace rb::compare {

// Prints a change as its line and its fields (gtest finds it by argument-dependent lookup).
void PrintTo(const Change& change, std::ostream* out);

namespace test {

// A document holding the committed golden inventory (tests/data/viewer/inventario.xml), read
// with LoadXML.
std::unique_ptr<TXMLSysInfo> LoadGolden();

}  // namespace test
}  // namespace rb::compare
