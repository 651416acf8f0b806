#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TSoftware : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TSoftware(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
