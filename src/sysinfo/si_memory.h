// Memory figures at the moment of gathering: physical memory, page file, the program's address
// space, the load, and the allocation granularity, page size and address limits.
#pragma once

#include <cstdint>

#include "sysinfo/section_base.h"

namespace rb {

class TMemory : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TMemory(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    // Published, in this order; sizes in bytes.
    int64_t PhysicalTotal = 0;
    int64_t PhysicalFree = 0;
    int64_t VirtualTotal = 0;
    int64_t VirtualFree = 0;
    int64_t PageFileTotal = 0;
    int64_t PageFileFree = 0;
    int64_t MemoryLoad = 0;  // percent of physical memory in use
    int64_t AllocGranularity = 0;
    int64_t MaxAppAddress = 0;
    int64_t MinAppAddress = 0;
    int64_t PageSize = 0;
    // Free resources of the Windows 95/98/ME family, percent; never measured, always 0.
    uint8_t Win9x_SystemRes = 0;
    uint8_t Win9x_GDIRes = 0;
    uint8_t Win9x_UserRes = 0;
};

}  // namespace rb
