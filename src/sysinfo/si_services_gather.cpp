// Gathering of the services section: the service control manager's list of Win32 services,
// then each service's configuration and status. The manager is opened to enumerate and each
// service to be queried only, so that any user gets the list; a service that still cannot be
// queried is recorded and the listing goes on.
#include "core/exception.h"
#include "platform/platform.h"
#include "sysinfo/si_services.h"
#include "sysinfo/si_services_decode.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

// The section's prefix in the error list.
constexpr char kErrorPrefix[] = "Servicios: ";

[[noreturn]] void RaiseSystemError(uint32_t code) {
    const std::string message = platform::Current().Services().ErrorMessage(code);
    throw Exception(SystemErrorText(code, message));
}

void FillFromEntry(TServiceItem& item, const platform::ServiceEntry& entry) {
    const platform::ServiceStatusRecord& s = entry.status;
    item.ServiceName = entry.serviceName;
    item.DisplayName = entry.displayName;
    item.ServiceType = ServiceTypesOf(s.serviceType);
    item.Status = CurrentStatusOf(s.currentState);
    item.ControlsAccepted = ControlsAcceptedOf(s.controlsAccepted);
    item.Win32ExitCode = static_cast<int32_t>(s.win32ExitCode);
    item.ServiceSpecificExitCode = static_cast<int32_t>(s.serviceSpecificExitCode);
    item.CheckPoint = static_cast<int32_t>(s.checkPoint);
    item.WaitHint = static_cast<int32_t>(s.waitHint);
}

}  // namespace

void TServiceItem::Query(platform::ServiceManager& manager) {
    const auto answer = manager.Configuration(ServiceName);
    if (!answer.record) RaiseSystemError(answer.error);
    const platform::ServiceConfig& config = *answer.record;
    DisplayName = config.displayName;
    BinaryPathName = config.binaryPathName;
    LoadOrder = config.loadOrderGroup;
    TagId = static_cast<int32_t>(config.tagId);
    ServiceStartName = config.serviceStartName;
    StartType = StartTypeOf(config.startType);
    ErrorControl = ErrorSeverityOf(config.errorControl);
    ServiceType = ServiceTypesOf(config.serviceType);
    // The state of the moment; without an answer the enumeration's stays.
    if (const auto status = manager.Status(ServiceName).record) {
        Status = CurrentStatusOf(status->currentState);
    }
    Dependencies->Clear();
    for (const std::string& name : config.dependencies) Dependencies->Add(name);  // "+group"s too
}

void TServicesCollection::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [&] {
        Clear();
        const platform::ManagerOpening opening = platform::Current().Services().OpenManager();
        if (!opening.manager) RaiseSystemError(opening.error);
        platform::ServiceManager& manager = *opening.manager;
        const platform::ServiceList list = manager.Services();
        for (const platform::ServiceEntry& entry : list.entries) {
            if (entry.serviceName.empty()) continue;
            auto& item = AddItem<TServiceItem>();
            FillFromEntry(item, entry);
            GatherGuarded(ErrorList(), kErrorPrefix, [&] { item.Query(manager); });
        }
        // The services listed before a page failed stay.
        if (list.error != 0) RaiseSystemError(list.error);
    });
}

}  // namespace rb
