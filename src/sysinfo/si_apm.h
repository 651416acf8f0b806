// The power management section: AC line and battery state.
#pragma once

#include <cstdint>

#include "core/set.h"
#include "sysinfo/section_base.h"

namespace rb {

enum class TPowerStatus : uint8_t { psUnknown, psOffline, psOnline };
const EnumInfo& DescribeEnum(TPowerStatus);

enum class TBatteryStatus : uint8_t {
    bsUnknown,
    bsHigh,
    bsLow,
    bsCritical,
    bsCharging,
    bsNoBattery
};
const EnumInfo& DescribeEnum(TBatteryStatus);

// The system's AC line byte and battery flag byte as the section's states.
TPowerStatus PowerStatusOf(uint8_t acLineStatus);
TBatteryStatus BatteryStatusOf(uint8_t batteryFlag);

class TAPM : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TAPM(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    TPowerStatus ACPowerStatus = TPowerStatus::psUnknown;
    TBatteryStatus BatteryChargeStatus = TBatteryStatus::bsUnknown;
    uint8_t BatteryLifePercent = 0;   // 255: unknown
    int32_t BatteryLifeTime = 0;      // seconds; -1: unknown
    int32_t BatteryLifeFullTime = 0;  // seconds; -1: unknown
};

}  // namespace rb
