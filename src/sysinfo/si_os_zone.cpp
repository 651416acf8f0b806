// Gathering of the time zone (matched against the registry's list of zones for its display
// name) and of the NT family's product type, suites and service-pack numbers.
#include "core/datetime.h"
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_os.h"

namespace rb {
namespace {

// The section's error prefixes, as the error list shows them.
constexpr char kTimeZoneErrorPrefix[] = "TTimeZone.GetInfo: ";
// This section's message deliberately has no separator: the text follows the name directly.
constexpr char kNTSpecificErrorPrefix[] = "TNTSpecific.GetInfo";

using platform::Current;
using platform::RootKey;
using platform::SystemTimeRecord;
using platform::TimeZoneInfo;

const char kNTZones[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
const char k9xZones[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Time Zones";
constexpr size_t kTziSize = 44;      // three biases and two transition records
constexpr size_t kMaxZoneName = 31;  // the system's name fields hold 32 characters with the NUL
constexpr uint32_t kDaylightInForce = 2;

const char kProductOptionsKey[] = "System\\CurrentControlSet\\Control\\ProductOptions";
constexpr uint32_t kPlatformNT = 2;

uint16_t WordAt(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

int32_t LongAt(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int32_t>(static_cast<uint32_t>(WordAt(b, at)) |
                                static_cast<uint32_t>(WordAt(b, at + 2)) << 16);
}

SystemTimeRecord DateAt(const std::vector<uint8_t>& b, size_t at) {
    return {WordAt(b, at),      WordAt(b, at + 2),  WordAt(b, at + 4),  WordAt(b, at + 6),
            WordAt(b, at + 8),  WordAt(b, at + 10), WordAt(b, at + 12), WordAt(b, at + 14)};
}

bool SameDate(const SystemTimeRecord& a, const SystemTimeRecord& b) {
    return a.year == b.year && a.month == b.month && a.dayOfWeek == b.dayOfWeek &&
           a.day == b.day && a.hour == b.hour && a.minute == b.minute && a.second == b.second &&
           a.milliseconds == b.milliseconds;
}

std::string ZoneName(std::string name) {
    if (name.size() > kMaxZoneName) name.resize(kMaxZoneName);
    return name;
}

// A zone of the registry's list; nullopt when its TZI record is missing or malformed.
std::optional<TimeZoneInfo> Candidate(const platform::RegKey& key) {
    const auto tzi = key.ReadBinary("TZI");
    if (!tzi || tzi->size() != kTziSize) return std::nullopt;
    TimeZoneInfo z;
    z.bias = LongAt(*tzi, 0);
    z.standardBias = LongAt(*tzi, 4);
    z.daylightBias = LongAt(*tzi, 8);
    z.standardDate = DateAt(*tzi, 12);
    z.daylightDate = DateAt(*tzi, 28);
    z.standardName = ZoneName(key.ReadString("Std").value_or(""));
    z.daylightName = ZoneName(key.ReadString("Dlt").value_or(""));
    return z;
}

bool Matches(const TimeZoneInfo& current, const TimeZoneInfo& c, bool daylight) {
    if (current.bias != c.bias || current.standardBias != c.standardBias ||
        !SameDate(current.standardDate, c.standardDate) ||
        !SameDate(current.daylightDate, c.daylightDate) ||
        ZoneName(current.standardName) != c.standardName) {
        return false;
    }
    return !daylight ||
           (current.daylightBias == c.daylightBias &&
            ZoneName(current.daylightName) == c.daylightName);
}

int CurrentYear() {
    DateParts parts;
    return TryDecodeDateTime(Current().System().Now(), parts) ? parts.year : 0;
}

// Looks the zone up in the registry's list: the first match gives the display name and the
// map text, and its record replaces the system's.
void MatchZone(TTimeZone& tz, TimeZoneInfo& zone) {
    const bool nt = Facts().IsNT || Facts().IsXP;
    const std::string listPath = nt ? kNTZones : k9xZones;
    const auto list = Current().Reg().Open(RootKey::LocalMachine, listPath);
    if (!list) return;
    const bool daylight = zone.state == kDaylightInForce;
    for (const std::string& name : list->SubKeyNames()) {
        const auto key = Current().Reg().Open(RootKey::LocalMachine, listPath + "\\" + name);
        if (!key) continue;
        const auto candidate = Candidate(*key);
        if (!candidate || !Matches(zone, *candidate, daylight)) continue;
        tz.DisplayName = key->ReadString("Display").value_or("");
        tz.MapID = key->ReadString("MapID").value_or("");
        zone = *candidate;
        return;
    }
}

struct ProductTypeName {
    const char* value;
    TNtProductType type;
};
const ProductTypeName kProductTypeNames[] = {
    {"WinNT", TNtProductType::ptWorkStation},
    {"ServerNT", TNtProductType::ptServer},
    {"LanmanNT", TNtProductType::ptAdvancedServer},
};

TNtProductType ProductTypeOf(uint8_t type) {
    switch (type) {
        case 1: return TNtProductType::ptWorkStation;
        case 2: return TNtProductType::ptAdvancedServer;  // a domain controller
        case 3: return TNtProductType::ptServer;
        default: return TNtProductType::ptUnknown;
    }
}

// The system's suite mask has one bit per suite, 0x1 to 0x80, in the order of TNTSuite.
TNTSuites SuitesOf(uint16_t mask) {
    TNTSuites suites;
    for (int bit = 0; bit < 8; ++bit) {
        if (mask & (1u << bit)) suites.Include(static_cast<TNTSuite>(bit));
    }
    return suites;
}

}  // namespace

void TTimeZone::GetInfo() {
    GatherGuarded(ErrorList(), kTimeZoneErrorPrefix, [this] {
        TimeZoneInfo zone = Current().System().TimeZone();
        MatchZone(*this, zone);
        Bias = zone.bias;
        StandardName = zone.standardName;
        DaylightName = zone.daylightName;
        if (zone.standardDate.month == 0 || zone.daylightDate.month == 0) {
            DaylightStart = "0";
            StandardStart = "0";
            return;
        }
        const int year = CurrentYear();
        DaylightStart = FloatToNeutralText(TransitionDate(year, zone.daylightDate));
        StandardStart = FloatToNeutralText(TransitionDate(year, zone.standardDate));
        StandardBias = Bias + zone.standardBias;
        DaylightBias = Bias + zone.daylightBias;
    });
}

void TNTSpecific::GetInfo() {
    GatherGuarded(ErrorList(), kNTSpecificErrorPrefix, [this] {
        ProductType = TNtProductType::ptUnknown;
        InstalledSuites = TNTSuites();
        ServicePackMajorVersion = 0;
        ServicePackMinorVersion = 0;
        const platform::OsVersion v = RunningVersion();
        if (v.platformId != kPlatformNT) return;  // nothing NT-specific to say
        // The extended record is taken from Windows 2000 on; NT 4 before SP6 has none.
        if (v.major >= 5 && v.extended) {
            ProductType = ProductTypeOf(v.productType);
            InstalledSuites = SuitesOf(v.suiteMask);
            ServicePackMajorVersion = v.servicePackMajor;
            ServicePackMinorVersion = v.servicePackMinor;
        }
        if (ProductType != TNtProductType::ptUnknown) return;
        const auto key = Current().Reg().Open(RootKey::LocalMachine, kProductOptionsKey);
        const std::string type = key ? key->ReadString("ProductType").value_or("") : "";
        for (const ProductTypeName& row : kProductTypeNames) {
            if (SameText(type, row.value)) ProductType = row.type;
        }
    });
}

}  // namespace rb
