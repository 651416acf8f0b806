#pragma once

#include "sysinfo/section_base.h"

namespace rb {
class TPrinterDeviceComplete : public CollectionItem {
    RB_PERSISTENT_CLASS
};
class TPrinters : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TPrinters(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;
};

}  // namespace rb
