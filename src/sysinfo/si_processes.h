// The processes section: running processes with their identifiers and executable paths.
#pragma once

#include <cstdint>
#include <string>

#include "sysinfo/section_base.h"

namespace rb {

class TProcess : public CollectionItem {
    RB_PERSISTENT_CLASS
public:
    std::string DisplayName() const;  // the file-name part of Location

    int32_t Pid = 0;
    std::string Location;  // full path of the executable, or a fixed name
};

class TProcesses : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TProcesses(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    bool WasNT() const { return isNT_; }  // as of the last gathering
    // Adds one item per running process; `fullPath` asks for full executable paths.
    void Enumerate(bool fullPath);

private:
    bool isNT_ = false;
};

}  // namespace rb
