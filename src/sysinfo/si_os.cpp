#include "sysinfo/si_os.h"

#include "core/text.h"
#include "sysinfo/routines.h"

namespace rb {

const EnumInfo& DescribeEnum(TNtProductType) {
    static const char* const names[] = {"ptUnknown", "ptWorkStation", "ptServer",
                                        "ptAdvancedServer"};
    static const EnumInfo info{"TNtProductType", names, 4};
    return info;
}

const EnumInfo& DescribeEnum(TNTSuite) {
    static const char* const names[] = {
        "suSmallBusiness", "suEnterprise",  "suBackOffice",  "suCommunications",
        "suTerminal",      "suSmallBusinessRestricted", "suEmbeddedNT", "suDataCenter",
    };
    static const EnumInfo info{"TNTSuite", names, 8, "TNTSuites"};
    return info;
}

const ClassInfo& TTimeZone::StaticClass() {
    using C = TTimeZone;
    static const ClassInfo info("TTimeZone", &TInfoProcess::StaticClass(),
                                {
                                    Prop<&C::DisplayName>("DisplayName"),
                                    Prop<&C::StandardName>("StandardName"),
                                    Prop<&C::DaylightName>("DaylightName"),
                                    Prop<&C::DaylightStart>("DaylightStart"),
                                    Prop<&C::StandardStart>("StandardStart"),
                                    Prop<&C::Bias>("Bias"),
                                    Prop<&C::DaylightBias>("DaylightBias"),
                                    Prop<&C::StandardBias>("StandardBias"),
                                },
                                MakeInstance<TTimeZone>);
    return info;
}

const ClassInfo& TNTSpecific::StaticClass() {
    using C = TNTSpecific;
    static const ClassInfo info("TNTSpecific", &TInfoProcessChild::StaticClass(),
                                {
                                    Prop<&C::ProductType>("ProductType"),
                                    Prop<&C::InstalledSuites>("InstalledSuites"),
                                    Prop<&C::ServicePackMajorVersion>("ServicePackMajorVersion"),
                                    Prop<&C::ServicePackMinorVersion>("ServicePackMinorVersion"),
                                },
                                MakeInstance<TNTSpecific>);
    return info;
}

const ClassInfo& TOperatingSystem::StaticClass() {
    using C = TOperatingSystem;
    static const ClassInfo info("TOperatingSystem", &TInfoProcess::StaticClass(),
                                {
                                    Prop<&C::Is_NT>("Is_NT"),
                                    Prop<&C::Is_2K>("Is_2K"),
                                    Prop<&C::Is_OSR2>("Is_OSR2"),
                                    Prop<&C::Is_SE>("Is_SE"),
                                    Prop<&C::Is_XP>("Is_XP"),
                                    Prop<&C::OS_Version>("OS_Version"),
                                    Prop<&C::MajorVersion>("MajorVersion"),
                                    Prop<&C::MinorVersion>("MinorVersion"),
                                    Prop<&C::BuildNumber>("BuildNumber"),
                                    Prop<&C::Platform>("Platform"),
                                    Prop<&C::SOName>("SOName"),
                                    Prop<&C::Version>("Version"),
                                    Prop<&C::CSD>("CSD"),
                                    Prop<&C::ProductID>("ProductID"),
                                    Prop<&C::ProductKey>("ProductKey"),
                                    Prop<&C::RegisteredUser>("RegisteredUser"),
                                    Prop<&C::RegisteredOrg>("RegisteredOrg"),
                                    Prop<&C::TimeZone>("TimeZone"),
                                    Prop<&C::Environment>("Environment"),
                                    Prop<&C::Folders>("Folders"),
                                    Prop<&C::NTSpecific>("NTSpecific"),
                                    Prop<&C::DVDRegion>("DVDRegion"),
                                    Prop<&C::rDecimalSeparator>("rDecimalSeparator"),
                                    Prop<&C::rThousandSeparator>("rThousandSeparator"),
                                    Prop<&C::rDateSeparator>("rDateSeparator"),
                                    Prop<&C::rHourSeparator>("rHourSeparator"),
                                    Prop<&C::rTimeAmString>("rTimeAmString"),
                                    Prop<&C::rTimePmString>("rTimePmString"),
                                },
                                MakeInstance<TOperatingSystem>);
    return info;
}

TOperatingSystem::TOperatingSystem(TStringCollection* errorList)
    : TInfoProcess(errorList),
      TimeZone(std::make_unique<TTimeZone>(errorList)),
      Environment(std::make_unique<TStringCollection>()),
      Folders(std::make_unique<TStringCollection>()),
      NTSpecific(std::make_unique<TNTSpecific>(errorList)) {
    SetCaption("Sistema Operativo");
}

namespace {

void AddEntries(const char* heading, TStringCollection& entries, StringList& list) {
    list.Add(heading);
    for (int i = 0; i < entries.Count(); ++i) list.Add(entries.Get(i));
}

// A date-time text of the user's format; a text that holds no number (a zone never gathered)
// reports as empty rather than failing the whole report.
std::string DateTimeText(const std::string& neutral) {
    try {
        return NeutralTextToDateTime(neutral);
    } catch (const EConvertError&) {
        return "";
    }
}

}  // namespace

void TOperatingSystem::Report(StringList& list) {
    list.Add("[Operating System]");
    list.Add("Platform=" + Platform);
    list.Add("VersionName=" + Version);
    list.Add(Format("Version=%d.%d", MajorVersion, MinorVersion));
    list.Add(Format("BuildNumber=%d", BuildNumber));
    list.Add("CSD=" + CSD);
    list.Add("ProductID=" + ProductID);
    list.Add("ProductKey=" + ProductKey);
    list.Add("RegUser=" + RegisteredUser);
    list.Add("RegOrganization=" + RegisteredOrg);
    list.Add("DVDRegion=" + DVDRegion);
    NTSpecific->Report(list);
    AddEntries("[Environment]", *Environment, list);
    AddEntries("[Folders]", *Folders, list);
    TimeZone->Report(list);
}

void TTimeZone::Report(StringList& list) {
    // The "Name" lines carry the transition dates, as the report has always written them.
    list.Add("[Time Zone]");
    list.Add("TimeZone=" + DisplayName);
    list.Add("StdName=" + DateTimeText(StandardStart));
    list.Add(Format("StdBias=%d", StandardBias));
    list.Add("DlghtName=" + DateTimeText(DaylightStart));
    list.Add(Format("DlghtBias=%d", DaylightBias));
}

namespace {

const char* const kProductTypeLines[] = {
    "ProductType=Unknown", "ProductType=Workstation", "ProductType=Server",
    "ProductType=Advanced Server",
};

// One line per suite; terminal services appear twice.
struct SuiteLine {
    const char* label;
    TNTSuite suite;
};

const SuiteLine kSuiteLines[] = {
    {"Microsoft Small Business Server", TNTSuite::suSmallBusiness},
    {"Windows 2000 Advanced Server", TNTSuite::suEnterprise},
    {"Microsoft BackOffice Components", TNTSuite::suBackOffice},
    {"Communications", TNTSuite::suCommunications},
    {"Terminal Services", TNTSuite::suTerminal},
    {"Microsoft Small Business Server with the restrictive client license in force",
     TNTSuite::suSmallBusinessRestricted},
    {"Terminal Services", TNTSuite::suTerminal},
    {"Embedded NT", TNTSuite::suEmbeddedNT},
    {"Windows 2000 Datacenter Server", TNTSuite::suDataCenter},
};

}  // namespace

void TNTSpecific::Report(StringList& list) {
    list.Add("[NT Specific]");
    const auto type = static_cast<size_t>(ProductType);
    list.Add(kProductTypeLines[type < 4 ? type : 0]);
    for (const SuiteLine& line : kSuiteLines) {
        list.Add(Format("%s=%d", line.label, InstalledSuites.Contains(line.suite) ? 1 : 0));
    }
    list.Add(Format("ServicePackMajorVersion=%d", ServicePackMajorVersion));
    list.Add(Format("ServicePackMinorVersion=%d", ServicePackMinorVersion));
}

}  // namespace rb
