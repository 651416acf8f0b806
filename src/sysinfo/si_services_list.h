#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TServiceItem : public TInfoProcessCollectionItem {
    RB_PERSISTENT_CLASS
};
class TServicesCollection : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TServicesCollection(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
