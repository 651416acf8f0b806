#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TMediaItem : public CollectionItem {
    RB_PERSISTENT_CLASS
};
class TMedia : public TInfoProcessCollectionWithDevices {
    RB_PERSISTENT_CLASS
public:
    explicit TMedia(TStringCollection* errorList = nullptr, TDevices* devices = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
