#include "sysinfo/si_apm.h"

#include "platform/platform.h"
#include "sysinfo/routines.h"

namespace rb {

// The section's prefix in the error list.
constexpr char kErrorPrefix[] = "TAPM.GetInfo: ";

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

TPowerStatus PowerStatusOf(uint8_t acLineStatus) {
    switch (acLineStatus) {
        case 0:
            return TPowerStatus::psOffline;
        case 1:
            return TPowerStatus::psOnline;
        default:
            return TPowerStatus::psUnknown;
    }
}

// The flag byte is compared as a whole: a combination (9 = high and charging) or 255 is unknown.
TBatteryStatus BatteryStatusOf(uint8_t batteryFlag) {
    switch (batteryFlag) {
        case 0:
        case 1:
            return TBatteryStatus::bsHigh;
        case 2:
            return TBatteryStatus::bsLow;
        case 4:
            return TBatteryStatus::bsCritical;
        case 8:
            return TBatteryStatus::bsCharging;
        case 128:
            return TBatteryStatus::bsNoBattery;
        default:
            return TBatteryStatus::bsUnknown;
    }
}

void TAPM::GetInfo() {
    ACPowerStatus = TPowerStatus::psUnknown;
    BatteryChargeStatus = TBatteryStatus::bsUnknown;
    BatteryLifePercent = 0;
    BatteryLifeTime = 0;
    BatteryLifeFullTime = 0;
    GatherGuarded(ErrorList(), kErrorPrefix, [this] {
        const auto status = platform::Current().Power().Status();
        if (!status) return;
        ACPowerStatus = PowerStatusOf(status->acLineStatus);
        BatteryChargeStatus = BatteryStatusOf(status->batteryFlag);
        BatteryLifePercent = status->batteryLifePercent;
        // 0xFFFFFFFF (unknown) reads as -1.
        BatteryLifeTime = static_cast<int32_t>(status->batteryLifeTime);
        BatteryLifeFullTime = static_cast<int32_t>(status->batteryFullLifeTime);
    });
}

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
