// Gathering of the services section: the service control manager's pages of Win32 services,
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

constexpr uint32_t kWin32Services = 0x30;  // SERVICE_WIN32: own and shared processes
constexpr uint32_t kAllStates = 3;         // SERVICE_STATE_ALL
constexpr uint32_t kPageBuffer = 32768;
constexpr uint32_t kMoreData = 234;        // ERROR_MORE_DATA
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
    uint32_t error = 0;
    const auto config = manager.Configuration(ServiceName, error);
    if (!config) RaiseSystemError(error);
    DisplayName = config->displayName;
    BinaryPathName = config->binaryPathName;
    LoadOrder = config->loadOrderGroup;
    TagId = static_cast<int32_t>(config->tagId);
    ServiceStartName = config->serviceStartName;
    StartType = StartTypeOf(config->startType);
    ErrorControl = ErrorSeverityOf(config->errorControl);
    ServiceType = ServiceTypesOf(config->serviceType);
    // The state of the moment; without an answer the enumeration's stays.
    if (const auto status = manager.Status(ServiceName, error)) {
        Status = CurrentStatusOf(status->currentState);
    }
    Dependencies->Clear();
    for (const std::string& name : config->dependencies) Dependencies->Add(name);  // "+group"s too
}

void TServicesCollection::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [&] {
        Clear();
        uint32_t error = 0;
        const auto manager = platform::Current().Services().OpenManager(error);
        if (!manager) RaiseSystemError(error);
        uint32_t resume = 0;
        platform::ServicePage page;
        do {
            const uint32_t before = resume;
            page = manager->Enumerate(kWin32Services, kAllStates, kPageBuffer, resume);
            for (const platform::ServiceEntry& entry : page.entries) {
                if (entry.serviceName.empty()) continue;
                auto& item = AddItem<TServiceItem>();
                FillFromEntry(item, entry);
                GatherGuarded(ErrorList(), kErrorPrefix, [&] { item.Query(*manager); });
            }
            // A page that gives nothing and does not move on would be asked for forever.
            if (page.error == kMoreData && page.entries.empty() && resume == before) break;
        } while (page.error == kMoreData);
        if (page.error != 0) RaiseSystemError(page.error);
    });
}

}  // namespace rb
