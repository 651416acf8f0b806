// The power status as GetSystemPowerStatus gives it.
#include "platform/win32/power_win32.h"

#include <windows.h>

namespace rb::platform {

std::optional<PowerStatus> Win32Power::Status() {
    SYSTEM_POWER_STATUS s{};
    if (!::GetSystemPowerStatus(&s)) return std::nullopt;
    PowerStatus status;
    status.acLineStatus = s.ACLineStatus;
    status.batteryFlag = s.BatteryFlag;
    status.batteryLifePercent = s.BatteryLifePercent;
    status.batteryLifeTime = s.BatteryLifeTime;
    status.batteryFullLifeTime = s.BatteryFullLifeTime;
    return status;
}

}  // namespace rb::platform
