#include "sysinfo/si_apm.h"

#include "sysinfo/routines.h"

namespace rb {

const EnumInfo& DescribeEnum(TPowerStatus) {
    static const char* const names[] = {"psUnknown", "psOffline", "psOnline"};
    static const EnumInfo info{"TPowerStatus", names, 3};
    return info;
}

const EnumInfo& DescribeEnum(TBatteryStatus) {
    static const char* const names[] = {
        "bsUnknown", "bsHigh", "bsLow", "bsCritical", "bsCharging", "bsNoBattery",
    };
    static const EnumInfo info{"TBatteryStatus", names, 6};
    return info;
}

const ClassInfo& TAPM::StaticClass() {
    using A = TAPM;
    static const ClassInfo info("TAPM", &TInfoProcess::StaticClass(),
                                {
                                    Prop<&A::ACPowerStatus>("ACPowerStatus"),
                                    Prop<&A::BatteryChargeStatus>("BatteryChargeStatus"),
                                    Prop<&A::BatteryLifePercent>("BatteryLifePercent"),
                                    Prop<&A::BatteryLifeTime>("BatteryLifeTime"),
                                    Prop<&A::BatteryLifeFullTime>("BatteryLifeFullTime"),
                                },
                                MakeInstance<TAPM>);
    return info;
}

TAPM::TAPM(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("APM");
}

void TAPM::GetInfo() {}

namespace {

// Report words, indexed by the enumerations' ordinals.
const char* const kPowerWords[] = {"Unknown", "Offline", "Online"};
const char* const kBatteryWords[] = {"Unknown",  "High",     "Low",
                                     "Critical", "Charging", "No Battery"};

template <size_t N>
const char* Word(const char* const (&words)[N], uint8_t ordinal) {
    return ordinal < N ? words[ordinal] : "";
}

}  // namespace

void TAPM::Report(StringList& list) {
    list.Add("[Advanced Power Management]");
    list.Add(std::string("ACPowerStatus=") +
             Word(kPowerWords, static_cast<uint8_t>(ACPowerStatus)));
    list.Add(std::string("BatteryChargeStatus=") +
             Word(kBatteryWords, static_cast<uint8_t>(BatteryChargeStatus)));
    // The times mean nothing while the charge is unknown (255).
    if (BatteryLifePercent <= 100) {
        // "Battrey" is the report's own spelling.
        list.Add("BattreyLifeFullTime=" + FormatSeconds(true, false, false, BatteryLifeFullTime));
        list.Add("BatteryLifeTime=" + FormatSeconds(true, false, false, BatteryLifeTime));
    }
}

}  // namespace rb
