// Services: the service control manager, its list of services, a service's configuration and
// status. A failed call answers the system's error code in the record it gives back.
#pragma once

#include <cstdint>
#include <functional>
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

// The services listed, and the system error of the call that ended the list early (0: the
// whole list).
struct ServiceList {
    std::vector<ServiceEntry> entries;
    uint32_t error = 0;
};

// One EnumServicesStatusA call: its entries, and the system error (0 on success;
// kMoreServices when another page follows).
struct ServicePage {
    std::vector<ServiceEntry> entries;
    uint32_t error = 0;
};
constexpr uint32_t kMoreServices = 234;  // ERROR_MORE_DATA

// The list from pages that `next` reads, each continuing at `resume` (0 at the start) and moving
// it on: until a page ends the list, or gives nothing without moving on (a broken manager would
// be asked for ever), whose error ends the list then; what came before stays listed.
ServiceList ReadServicePages(const std::function<ServicePage(uint32_t& resume)>& next);

// QUERY_SERVICE_CONFIGA.
struct ServiceConfig {
    uint32_t serviceType = 0, startType = 0, errorControl = 0, tagId = 0;
    std::string binaryPathName, loadOrderGroup, serviceStartName, displayName;
    std::vector<std::string> dependencies;
};

// A query of one service: the record, or nullopt with the system error.
template <class Record>
struct ServiceAnswer {
    std::optional<Record> record;
    uint32_t error = 0;
};

class ServiceManager;
// OpenSCManagerA: the manager, or nullptr with the system error.
struct ManagerOpening {
    std::unique_ptr<ServiceManager> manager;
    uint32_t error = 0;
};

// An open service control manager; closed with the object.
class ServiceManager {
public:
    virtual ~ServiceManager() = default;
    // Every Win32 service (own and shared processes) in any state, read page by page.
    virtual ServiceList Services() = 0;
    virtual ServiceAnswer<ServiceConfig> Configuration(std::string_view service) = 0;
    virtual ServiceAnswer<ServiceStatusRecord> Status(std::string_view service) = 0;
};

class ServicesArea {
public:
    virtual ~ServicesArea() = default;
    // OpenSCManagerA with enumeration rights.
    virtual ManagerOpening OpenManager() = 0;
    // The system's message text for an error code (FormatMessageA, system table); "" if none.
    virtual std::string ErrorMessage(uint32_t code) = 0;
};

}  // namespace rb::platform
