#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TDirectX : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TDirectX(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
