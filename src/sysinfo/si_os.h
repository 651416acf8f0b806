// The running Windows system: versions and names, registration data, the user's separators,
// environment, well-known folders, and two sub-objects: the time zone and the NT-family
// product data. The time zone is gathered with the system (it has no step of its own).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/set.h"
#include "sysinfo/section_base.h"
#include "sysinfo/string_collection.h"

namespace rb {

enum class TNtProductType : uint8_t { ptUnknown, ptWorkStation, ptServer, ptAdvancedServer };
const EnumInfo& DescribeEnum(TNtProductType);

// Bit n of the set is element n; the system's suite mask uses other values (see GetInfo).
enum class TNTSuite : uint8_t {
    suSmallBusiness, suEnterprise, suBackOffice, suCommunications, suTerminal,
    suSmallBusinessRestricted, suEmbeddedNT, suDataCenter
};
const EnumInfo& DescribeEnum(TNTSuite);
using TNTSuites = Set<TNTSuite>;

// The time zone and this year's transition dates (neutral number texts, "0" when none).
class TTimeZone : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TTimeZone(TStringCollection* errorList = nullptr) : TInfoProcess(errorList) {}
    void GetInfo() override;
    void Report(StringList& list) override;

    // Published, in this order.
    std::string DisplayName;
    std::string StandardName;
    std::string DaylightName;
    std::string DaylightStart;
    std::string StandardStart;
    int32_t Bias = 0;          // minutes: UTC = local time + bias
    int32_t DaylightBias = 0;  // Bias plus the zone's daylight bias
    int32_t StandardBias = 0;  // Bias plus the zone's standard bias

    std::string MapID;  // registry "MapID" of the matching zone; not published
};

// Product type, installed suites and service-pack numbers of the NT family.
class TNTSpecific : public TInfoProcessChild {
    RB_PERSISTENT_CLASS
public:
    explicit TNTSpecific(TStringCollection* errorList = nullptr) : TInfoProcessChild(errorList) {}
    void GetInfo() override;
    void Report(StringList& list) override;

    // Published, in this order.
    TNtProductType ProductType = TNtProductType::ptUnknown;
    TNTSuites InstalledSuites;
    uint16_t ServicePackMajorVersion = 0;
    uint16_t ServicePackMinorVersion = 0;
};

class TOperatingSystem : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TOperatingSystem(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    // Published, in this order.
    bool Is_NT = false;
    bool Is_2K = false;
    bool Is_OSR2 = false;
    bool Is_SE = false;
    bool Is_XP = false;
    std::string OS_Version;  // family name, such as "Windows XP"
    int32_t MajorVersion = 0;
    int32_t MinorVersion = 0;
    int32_t BuildNumber = 0;  // low 16 bits of the reported value
    std::string Platform;     // "Windows 3.1x", "Windows 9x" or "Windows NT"
    std::string SOName;
    std::string Version;
    std::string CSD;
    std::string ProductID;
    std::string ProductKey;
    std::string RegisteredUser;
    std::string RegisteredOrg;
    std::unique_ptr<TTimeZone> TimeZone;
    std::unique_ptr<TStringCollection> Environment;  // "name=value" entries
    std::unique_ptr<TStringCollection> Folders;      // "Key=path" entries
    std::unique_ptr<TNTSpecific> NTSpecific;
    std::string DVDRegion;
    char rDecimalSeparator = 0;
    char rThousandSeparator = 0;
    char rDateSeparator = 0;
    char rHourSeparator = 0;
    std::string rTimeAmString;
    std::string rTimePmString;
};

}  // namespace rb
