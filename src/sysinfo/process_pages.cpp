#include "sysinfo/process_pages.h"

namespace rb {

const EnumInfo& DescribeEnum(TProcessPage) {
    static const char* const names[] = {
        "pgWksta",   "pgOS",       "pgCPU",      "pgMem",         "pgDisplay",
        "pgAPM",     "pgMedia",    "pgNet",      "pgDev",         "pgPrn",
        "pgEng",     "pgDisk",     "pgTimeZone", "pgProcs",       "pgStartup",
        "pgSoftware", "pgProblems", "pgServices", "pgPerformance", "pgKelto",
    };
    static const EnumInfo info{"TProcessPage", names, 20, "TProcessPages"};
    return info;
}

}  // namespace rb
