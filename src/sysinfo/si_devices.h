#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TDevice : public CollectionItem {
    RB_PERSISTENT_CLASS
};
class TDevices : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TDevices(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
