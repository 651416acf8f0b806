// The services section: the Win32 services known to the service control manager, with their
// state, configuration and dependencies.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/set.h"
#include "sysinfo/section_base.h"
#include "sysinfo/string_collection.h"

namespace rb::platform {
class ServiceManager;
}

namespace rb {

enum class TCurrentStatus : uint8_t {
    csStopped,
    csStartPending,
    csStopPending,
    csRunning,
    csContinuePending,
    csPausePending,
    csPaused
};
const EnumInfo& DescribeEnum(TCurrentStatus);

enum class TStartType : uint8_t { stBoot, stSystem, stAuto, stManual, stDisabled };
const EnumInfo& DescribeEnum(TStartType);

enum class TErrorSeverity : uint8_t { esIgnore, esNormal, esSevere, esCritical };
const EnumInfo& DescribeEnum(TErrorSeverity);

// The member names are the XML's; they are not the Windows macros (those carry SERVICE_).
enum class TServiceType : uint8_t {
    KERNEL_DRIVER,
    FILE_SYSTEM_DRIVER,
    ADAPTER,
    RECOGNIZER_DRIVER,
    WIN32_OWN_PROCESS,
    WIN32_SHARE_PROCESS,
    INTERACTIVE_PROCESS
};
const EnumInfo& DescribeEnum(TServiceType);
using TServiceTypes = Set<TServiceType>;

enum class TControlAccepted : uint8_t { ACCEPT_STOP, ACCEPT_PAUSE_CONTINUE, ACCEPT_SHUTDOWN };
const EnumInfo& DescribeEnum(TControlAccepted);
using TControlAcceptedSet = Set<TControlAccepted>;

class TServiceItem : public TInfoProcessCollectionItem {
    RB_PERSISTENT_CLASS
public:
    explicit TServiceItem(TStringCollection* errorList = nullptr);
    // Reads the service's configuration and status (raises "code: text" when it cannot).
    void Query(platform::ServiceManager& manager);

    TCurrentStatus Status = TCurrentStatus::csStopped;
    TStartType StartType = TStartType::stBoot;
    TErrorSeverity ErrorControl = TErrorSeverity::esIgnore;
    TServiceTypes ServiceType;
    std::string LoadOrder;  // load-order group
    std::string ServiceName;
    std::string DisplayName;
    std::string BinaryPathName;
    int32_t TagId = 0;
    std::unique_ptr<TStringCollection> Dependencies;  // services and "+groups", in order
    std::string ServiceStartName;
    TControlAcceptedSet ControlsAccepted;
    int32_t Win32ExitCode = 0;
    int32_t ServiceSpecificExitCode = 0;
    int32_t CheckPoint = 0;
    int32_t WaitHint = 0;  // milliseconds
};

class TServicesCollection : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TServicesCollection(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;  // the services have no report lines

    TServiceItem& Items(int index) const { return ItemAs<TServiceItem>(index); }

    std::string DatabaseName;  // empty: the default database
    std::string MachineName;   // empty: this computer
    bool DataBaseLocked = false;
};

}  // namespace rb
