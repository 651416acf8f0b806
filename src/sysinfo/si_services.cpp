#include "sysinfo/si_services.h"

namespace rb {

const EnumInfo& DescribeEnum(TCurrentStatus) {
    static const char* const names[] = {
        "csStopped",         "csStartPending", "csStopPending", "csRunning",
        "csContinuePending", "csPausePending", "csPaused",
    };
    static const EnumInfo info{"TCurrentStatus", names, 7};
    return info;
}

const EnumInfo& DescribeEnum(TStartType) {
    static const char* const names[] = {"stBoot", "stSystem", "stAuto", "stManual", "stDisabled"};
    static const EnumInfo info{"TStartType", names, 5};
    return info;
}

const EnumInfo& DescribeEnum(TErrorSeverity) {
    static const char* const names[] = {"esIgnore", "esNormal", "esSevere", "esCritical"};
    static const EnumInfo info{"TErrorSeverity", names, 4};
    return info;
}

const EnumInfo& DescribeEnum(TServiceType) {
    static const char* const names[] = {
        "KERNEL_DRIVER",       "FILE_SYSTEM_DRIVER", "ADAPTER",
        "RECOGNIZER_DRIVER",   "WIN32_OWN_PROCESS",  "WIN32_SHARE_PROCESS",
        "INTERACTIVE_PROCESS",
    };
    static const EnumInfo info{"TServiceType", names, 7, "TServiceTypes"};
    return info;
}

const EnumInfo& DescribeEnum(TControlAccepted) {
    static const char* const names[] = {"ACCEPT_STOP", "ACCEPT_PAUSE_CONTINUE", "ACCEPT_SHUTDOWN"};
    static const EnumInfo info{"TControlAccepted", names, 3, "TControlAcceptedSet"};
    return info;
}

const ClassInfo& TServiceItem::StaticClass() {
    using S = TServiceItem;
    static const ClassInfo info("TServiceItem", &TInfoProcessCollectionItem::StaticClass(),
                                {
                                    Prop<&S::Status>("Status"),
                                    Prop<&S::StartType>("StartType"),
                                    Prop<&S::ErrorControl>("ErrorControl"),
                                    Prop<&S::ServiceType>("ServiceType"),
                                    Prop<&S::LoadOrder>("LoadOrder"),
                                    Prop<&S::ServiceName>("ServiceName"),
                                    Prop<&S::DisplayName>("DisplayName"),
                                    Prop<&S::BinaryPathName>("BinaryPathName"),
                                    Prop<&S::TagId>("TagId"),
                                    Prop<&S::Dependencies>("Dependencies"),
                                    Prop<&S::ServiceStartName>("ServiceStartName"),
                                    Prop<&S::ControlsAccepted>("ControlsAccepted"),
                                    Prop<&S::Win32ExitCode>("Win32ExitCode"),
                                    Prop<&S::ServiceSpecificExitCode>("ServiceSpecificExitCode"),
                                    Prop<&S::CheckPoint>("CheckPoint"),
                                    Prop<&S::WaitHint>("WaitHint"),
                                },
                                MakeInstance<TServiceItem>);
    return info;
}

TServiceItem::TServiceItem(TStringCollection* errorList)
    : TInfoProcessCollectionItem(errorList), Dependencies(std::make_unique<TStringCollection>()) {}

const ClassInfo& TServicesCollection::StaticClass() {
    using S = TServicesCollection;
    static const ClassInfo info("TServicesCollection", &TInfoProcessCollection::StaticClass(),
                                {
                                    Prop<&S::DatabaseName>("DatabaseName"),
                                    Prop<&S::MachineName>("MachineName"),
                                    Prop<&S::DataBaseLocked>("DataBaseLocked"),
                                },
                                MakeInstance<TServicesCollection>);
    return info;
}

TServicesCollection::TServicesCollection(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TServiceItem::StaticClass()) {
    InfoName = "Servicios";
}

void TServicesCollection::Report(StringList& list) {
    (void)list;
}

}  // namespace rb
