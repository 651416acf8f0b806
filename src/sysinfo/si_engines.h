#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TEngines : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TEngines(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
