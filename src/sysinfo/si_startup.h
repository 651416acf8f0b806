#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TStartupItem : public CollectionItem {
    RB_PERSISTENT_CLASS
};
class TStartup : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TStartup(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
