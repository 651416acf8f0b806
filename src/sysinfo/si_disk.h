#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TDisk : public TInfoProcessCollectionItem {
    RB_PERSISTENT_CLASS
};
class TDisks : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TDisks(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
