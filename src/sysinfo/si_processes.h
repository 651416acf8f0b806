#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TProcess : public CollectionItem {
    RB_PERSISTENT_CLASS
};
class TProcesses : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TProcesses(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
