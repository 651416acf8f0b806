// A known inventory for the viewer's tests: every section filled with plausible values of a
// Spanish Windows XP computer (accents included), and the document and package made from it
// (tests/data/viewer).
#pragma once

#include <string>

#include "sysinfo/msystem_info.h"

namespace rb::test {

void FillGoldenInventory(TMSystemInfo& info);

// The committed files: the XML document and the package holding it.
std::string GoldenXmlPath();
std::string GoldenPackagePath();

}  // namespace rb::test
