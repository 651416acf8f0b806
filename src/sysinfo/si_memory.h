#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TMemory : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TMemory(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
