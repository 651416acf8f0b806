// Services: the service control manager, its enumeration pages, a service's configuration and
// status.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rb::platform {

// SERVICE_STATUS.
struct ServiceStatusRecord {
    uint32_t serviceType = 0, currentState = 0, controlsAccepted = 0;
    uint32_t win32ExitCode = 0, serviceSpecificExitCode = 0, checkPoint = 0, waitHint = 0;
};

// ENUM_SERVICE_STATUSA.
struct ServiceEntry {
    std::string serviceName;
    std::string displayName;
    ServiceStatusRecord status;
};

// One EnumServicesStatusA call: its entries, and the system error (0 on success;
// ERROR_MORE_DATA when another page follows).
struct ServicePage {
    std::vector<ServiceEntry> entries;
    uint32_t error = 0;
};

// QUERY_SERVICE_CONFIGA.
struct ServiceConfig {
    uint32_t serviceType = 0, startType = 0, errorControl = 0, tagId = 0;
    std::string binaryPathName, loadOrderGroup, serviceStartName, displayName;
    std::vector<std::string> dependencies;
};

// An open service control manager; closed with the object.
class ServiceManager {
public:
    virtual ~ServiceManager() = default;
    // One page of services of `type` in `state`, continuing at `resume` (0 at the start).
    virtual ServicePage Enumerate(uint32_t type, uint32_t state, uint32_t bufferSize,
                                  uint32_t& resume) = 0;
    // Failures give nullopt with the system error in `error`.
    virtual std::optional<ServiceConfig> Configuration(std::string_view service,
                                                       uint32_t& error) = 0;
    virtual std::optional<ServiceStatusRecord> Status(std::string_view service,
                                                      uint32_t& error) = 0;
};

class ServicesArea {
public:
    virtual ~ServicesArea() = default;
    // OpenSCManagerA with enumeration rights; nullptr with the system error in `error`.
    virtual std::unique_ptr<ServiceManager> OpenManager(uint32_t& error) = 0;
    // The system's message text for an error code (FormatMessageA, system table); "" if none.
    virtual std::string ErrorMessage(uint32_t code) = 0;
};

}  // namespace rb::platform
