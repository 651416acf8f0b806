// The installed-software section: display names of the programs registered for uninstallation.
#pragma once

#include <memory>

#include "sysinfo/section_base.h"
#include "sysinfo/string_collection.h"

namespace rb {

class TSoftware : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TSoftware(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    std::unique_ptr<TStringCollection> Installed;  // in registry enumeration order
};

}  // namespace rb
