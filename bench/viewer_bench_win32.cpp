// How long the report viewer takes to make its window and to fill its pages with the large
// synthetic inventory (as the connection module shows it: read back from its document). Best
// of three; the figures are printed, nothing is asserted.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "synthetic_inventory.h"
#include "viewer/overview_win32.h"
#include "xml/sys_info_xml.h"

namespace {

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main() {
    using namespace rb;
    TXMLSysInfo built;
    bench::BuildSyntheticInventory(*built.SystemInfo, bench::kFull);
    TXMLSysInfo doc;
    doc.LoadXML(built.SaveXML());
    double create = 1e30, fill = 1e30;
    for (int i = 0; i < 3; ++i) {
        auto start = std::chrono::steady_clock::now();
        viewer::TfrmSI_Overview form;
        create = std::min(create, Since(start));
        form.SetSystemInfo(doc.SystemInfo.get());
        start = std::chrono::steady_clock::now();
        form.FillPages();
        fill = std::min(fill, Since(start));
    }
    std::printf("viewer: devices=%d processes=%d software=%d services=%d\n", bench::kFull.devices,
                bench::kFull.processes, bench::kFull.software, bench::kFull.services);
    std::printf("        window %.1f ms, FillPages %.1f ms (best of 3)\n", create, fill);
    return 0;
}
