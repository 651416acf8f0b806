#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TCPU : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TCPU(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
