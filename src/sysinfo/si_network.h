#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TNetworkItem : public CollectionItem {
    RB_PERSISTENT_CLASS
};
class TNetwork : public TInfoProcessCollectionWithDevices {
    RB_PERSISTENT_CLASS
public:
    explicit TNetwork(TStringCollection* errorList = nullptr, TDevices* devices = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
