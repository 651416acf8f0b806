// The NT family's product type, suites and service-pack numbers, and their report.
#include <gtest/gtest.h>

#include "core/string_list.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/si_os.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::OsVersion;
using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;
using platform::SimSystem;

const char kProductOptions[] = "System\\CurrentControlSet\\Control\\ProductOptions";

// The answers of TNTSpecific.GetInfo on a system of this version.
struct Answer {
    TNtProductType type;
    TNTSuites suites;
    uint16_t spMajor, spMinor;
};

Answer Gather(const OsVersion& version, const char* registryType = nullptr) {
    SimPlatform sim;
    sim.system.version = version;
    if (registryType) {
        sim.registry.SetString(RootKey::LocalMachine, kProductOptions, "ProductType",
                               registryType);
    }
    ScopedPlatform scope(sim);
    TStringCollection errors;
    TNTSpecific nt(&errors);
    nt.GetInfo();
    EXPECT_EQ(errors.Count(), 0);
    return {nt.ProductType, nt.InstalledSuites, nt.ServicePackMajorVersion,
            nt.ServicePackMinorVersion};
}

OsVersion Extended(uint32_t major, uint32_t minor, uint8_t type, uint16_t suites) {
    OsVersion v = SimSystem::WindowsXP();
    v.major = major;
    v.minor = minor;
    v.productType = type;
    v.suiteMask = suites;
    return v;
}

struct SuiteRow {
    uint16_t mask;
    TNTSuites suites;
};

TEST(NTSpecific, SuiteMaskBitsBecomeSuites) {
    using S = TNTSuite;
    const SuiteRow rows[] = {
        {0x0000, {}},
        {0x0001, {S::suSmallBusiness}},
        {0x0010, {S::suTerminal}},
        {0x0080, {S::suDataCenter}},
        {0x0100, {}},  // personal edition: no suite of the list
        {0x0112, {S::suEnterprise, S::suTerminal}},
        {0x00FF,
         {S::suSmallBusiness, S::suEnterprise, S::suBackOffice, S::suCommunications,
          S::suTerminal, S::suSmallBusinessRestricted, S::suEmbeddedNT, S::suDataCenter}},
    };
    for (const SuiteRow& row : rows) {
        EXPECT_TRUE(Gather(Extended(5, 0, 1, row.mask)).suites == row.suites)
            << std::hex << row.mask;
    }
}

struct TypeRow {
    OsVersion version;
    const char* registryType;
    TNtProductType expected;
    uint16_t spMajor;
};

TEST(NTSpecific, ProductTypeFromTheRecordElseFromTheRegistry) {
    using T = TNtProductType;
    OsVersion xpSp2 = Extended(5, 1, 1, 0);
    OsVersion noExtended = SimSystem::Windows2000();
    noExtended.extended = false;
    const TypeRow rows[] = {
        {xpSp2, "ServerNT", T::ptWorkStation, 2},
        {Extended(5, 2, 2, 0), nullptr, T::ptAdvancedServer, 2},  // domain controller
        {Extended(5, 2, 3, 0), nullptr, T::ptServer, 2},
        {Extended(6, 1, 1, 0), nullptr, T::ptWorkStation, 2},  // later systems too
        {Extended(5, 0, 0, 0), "LanmanNT", T::ptAdvancedServer, 2},
        {noExtended, "ServerNT", T::ptServer, 0},
        {noExtended, "winnt", T::ptWorkStation, 0},
        {noExtended, "Otro", T::ptUnknown, 0},
        {noExtended, nullptr, T::ptUnknown, 0},
        // NT 4: the record's extra fields are not taken, even from SP6 on.
        {SimSystem::WindowsNT4(6), "WinNT", T::ptWorkStation, 0},
        // The 95/98/ME family has no product type, whatever the registry holds.
        {SimSystem::Windows98SE(), "WinNT", T::ptUnknown, 0},
    };
    for (const TypeRow& row : rows) {
        SCOPED_TRACE(std::to_string(row.version.major) + "." +
                     std::to_string(row.version.minor) + " " +
                     (row.registryType ? row.registryType : "-"));
        const Answer a = Gather(row.version, row.registryType);
        EXPECT_EQ(a.type, row.expected);
        EXPECT_EQ(a.spMajor, row.spMajor);
    }
}

TEST(NTSpecific, TerminalServicesReportTwice) {
    const Answer a = Gather(Extended(5, 0, 3, 0x10));
    TNTSpecific nt;
    nt.ProductType = a.type;
    nt.InstalledSuites = a.suites;
    nt.ServicePackMajorVersion = a.spMajor;
    StringList report;
    nt.Report(report);
    EXPECT_EQ(report[1], "ProductType=Server");
    int terminal = 0;
    for (const std::string& line : report.Lines()) {
        if (line.find("=1") != std::string::npos) {
            EXPECT_EQ(line, "Terminal Services=1");
            ++terminal;
        }
    }
    EXPECT_EQ(terminal, 2);
}

}  // namespace
}  // namespace rb
