// The start-up section: programs Windows starts by itself (Run and RunOnce keys, Startup
// folders, WIN.INI).
#pragma once

#include <cstdint>
#include <string>

#include "core/set.h"
#include "sysinfo/section_base.h"

namespace rb {

// Where an entry was found.
enum class TRunType : uint8_t { rtHKCU, rtHKLM, rtOnce, rtUser, rtCommon, rtWinINI };
const EnumInfo& DescribeEnum(TRunType);

class TStartupItem : public CollectionItem {
    RB_PERSISTENT_CLASS
public:
    std::string ProcessName;  // value name, shortcut name without ".lnk", or WIN.INI key
    std::string ProcessLine;  // the command line started
    TRunType Location = TRunType::rtHKCU;
};

class TStartup : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TStartup(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    // Fills `indexes` with the positions (decimal text) of the items found at `location`.
    void ItemsAt(TRunType location, StringList& indexes) const;
};

}  // namespace rb
