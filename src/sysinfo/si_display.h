#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TDisplay : public TInfoProcessCollectionItem {
    RB_PERSISTENT_CLASS
};
class TDisplays : public TInfoProcessCollectionWithDevices {
    RB_PERSISTENT_CLASS
public:
    explicit TDisplays(TStringCollection* errorList = nullptr, TDevices* devices = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
