// The operating-system section against simulated Windows 95/98/ME and NT systems: version
// record, names, registration data, folders, environment and separators.
#include <gtest/gtest.h>

#include "os_sim_helpers.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_os.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::OsVersion;
using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;
using platform::SimSystem;

const char kNTKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char k9xKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const auto HKLM = RootKey::LocalMachine;

OsVersion Record(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build,
                 const char* csd) {
    OsVersion v;
    v.platformId = platformId;
    v.major = major;
    v.minor = minor;
    v.build = build;
    v.csd = csd;
    return v;
}

// Every flag as a letter, so one expectation covers all of them.
std::string Flags(const TOperatingSystem& os) {
    return std::string(os.Is_NT ? "N" : "") + (os.Is_2K ? "2" : "") + (os.Is_OSR2 ? "O" : "") +
           (os.Is_SE ? "S" : "") + (os.Is_XP ? "X" : "");
}

struct VersionRow {
    OsVersion version;
    const char* platform;
    const char* family;
    const char* flags;
    int32_t build;
    const char* soName;
};

TEST(OperatingSystem, VersionRecordOfEachSystem) {
    const VersionRow rows[] = {
        {SimSystem::Windows95(), "Windows 9x", "Windows 95", "", 950, "Windows 9x"},
        {Record(1, 4, 0, 0x04000457, " B"), "Windows 9x", "Windows 95", "O", 1111, "Windows 9x"},
        {SimSystem::Windows98SE(), "Windows 9x", "Windows 98", "S", 2222, "Windows 9x"},
        // The 95/98/ME build field: version in the high word, build in the low one.
        {Record(1, 4, 10, 0x040A0A5A, " A "), "Windows 9x", "Windows 98", "S", 2650,
         "Windows 9x"},
        {SimSystem::WindowsME(), "Windows 9x", "Windows Millenium Edition", "", 3000,
         "Windows 9x"},
        {SimSystem::WindowsNT4(6), "Windows NT", "Windows NT", "N", 1381, "Producto NT"},
        {SimSystem::Windows2000(), "Windows NT", "Windows 2000", "N2", 2195, "Producto NT"},
        {SimSystem::WindowsXP(), "Windows NT", "Windows XP", "NX", 2600, "Producto NT"},
        {Record(2, 6, 1, 7601, "Service Pack 1"), "Windows NT", "Windows NT", "N", 7601,
         "Producto NT"},
        {Record(0, 3, 10, 0, ""), "Windows 3.1x", "", "", 0, "Windows 3.1x"},
    };
    for (const VersionRow& row : rows) {
        SCOPED_TRACE(row.family + std::string(" build ") + std::to_string(row.build));
        SimPlatform sim;
        sim.system.version = row.version;
        sim.registry.SetString(HKLM, kNTKey, "ProductName", "Producto NT");
        ScopedPlatform scope(sim);
        TStringCollection errors;
        TOperatingSystem os(&errors);
        os.GetInfo();
        EXPECT_EQ(errors.Count(), 0);
        EXPECT_EQ(os.Platform, row.platform);
        EXPECT_EQ(os.OS_Version, row.family);
        EXPECT_EQ(Flags(os), row.flags);
        EXPECT_EQ(os.MajorVersion, static_cast<int32_t>(row.version.major));
        EXPECT_EQ(os.MinorVersion, static_cast<int32_t>(row.version.minor));
        EXPECT_EQ(os.BuildNumber, row.build);
        EXPECT_EQ(os.SOName, row.soName);
        EXPECT_EQ(os.CSD, row.version.csd);
    }
}

// From Windows 8.1 on the version call gives a program the numbers of the newest system its
// manifest names (Windows 8 without one); the kernel's own record says which system it is.
TEST(OperatingSystem, CurrentWindowsReportTheirOwnNumbers) {
    struct Row {
        const char* what;
        OsVersion told;                 // the version call's answer
        std::optional<OsVersion> kernel;  // RtlGetVersion's; none: no such call
        const char* report;             // the report's version and build lines
        const char* family;
    };
    const Row rows[] = {
        {"10 without the manifest's entry", SimSystem::Windows8Compatibility(),
         SimSystem::Windows10(), "Version=10.0 BuildNumber=19045", "Windows NT"},
        {"11 with a manifest up to 8.1", Record(2, 6, 3, 9600, ""), Record(2, 10, 0, 22631, ""),
         "Version=10.0 BuildNumber=22631", "Windows NT"},
        {"10 with the manifest", SimSystem::Windows10(), SimSystem::Windows10(),
         "Version=10.0 BuildNumber=19045", "Windows NT"},
        {"7", Record(2, 6, 1, 7601, "Service Pack 1"), Record(2, 6, 1, 7601, "Service Pack 1"),
         "Version=6.1 BuildNumber=7601", "Windows NT"},
        {"XP", SimSystem::WindowsXP(), SimSystem::WindowsXP(), "Version=5.1 BuildNumber=2600",
         "Windows XP"},
        {"NT 4 before the call", SimSystem::WindowsNT4(6), std::nullopt,
         "Version=4.0 BuildNumber=1381", "Windows NT"},
        {"98: no kernel record", SimSystem::Windows98SE(), std::nullopt,
         "Version=4.10 BuildNumber=2222", "Windows 98"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SimPlatform sim;
        sim.system.version = row.told;
        sim.system.kernelVersion = row.kernel;
        ScopedPlatform scope(sim);
        TStringCollection errors;
        TOperatingSystem os(&errors);
        os.GetInfo();
        EXPECT_EQ(errors.Count(), 0);
        StringList report;
        os.Report(report);
        EXPECT_EQ("Version=" + report.Values("Version") + " BuildNumber=" +
                      report.Values("BuildNumber"),
                  row.report);
        EXPECT_EQ(os.OS_Version, row.family);
        EXPECT_EQ(os.CSD, row.told.csd);
    }
}

TEST(OperatingSystem, RegistrationComesFromTheFamilysKey) {
    SimPlatform sim;
    for (const char* key : {kNTKey, k9xKey}) {
        const bool nt = key == kNTKey;
        sim.registry.SetString(HKLM, key, "CurrentType", nt ? "Uniprocessor Free" : "x");
        sim.registry.SetString(HKLM, key, "Version", nt ? "x" : "Windows 98");
        sim.registry.SetString(HKLM, key, "RegisteredOwner", nt ? "Juan" : "Ana");
        sim.registry.SetString(HKLM, key, "RegisteredOrganization", nt ? "Kelto" : "Casa");
        sim.registry.SetString(HKLM, key, "ProductId", nt ? "55274-OEM" : "12345-OEM");
    }
    sim.registry.SetString(HKLM, kNTKey, "DVD_Region", "2");
    for (const bool nt : {true, false}) {
        sim.system.version = nt ? SimSystem::WindowsXP() : SimSystem::Windows98SE();
        ScopedPlatform scope(sim);
        TOperatingSystem os;
        os.ProductKey = "anterior";
        os.DVDRegion = "anterior";
        os.GetInfo();
        EXPECT_EQ(os.Version, nt ? "Uniprocessor Free" : "Windows 98");
        EXPECT_EQ(os.RegisteredUser, nt ? "Juan" : "Ana");
        EXPECT_EQ(os.RegisteredOrg, nt ? "Kelto" : "Casa");
        EXPECT_EQ(os.ProductID, nt ? "55274-OEM" : "12345-OEM");
        EXPECT_EQ(os.ProductKey, "anterior");  // absent: the previous value stays
        EXPECT_EQ(os.DVDRegion, nt ? "2" : "anterior");
    }
}

struct HotfixRow {
    OsVersion version;
    const char* hotfixKey;  // nullptr: not installed
    uint32_t installed;
    const char* csd;
};

TEST(OperatingSystem, ServicePack6BecomesSixAWithTheHotfix) {
    const char* const real = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";
    const char* const joined = "SOFTWARE\\Microsoft\\WindowsNT\\CurrentVersion\\Hotfix\\Q246009";
    OsVersion nt98 = SimSystem::Windows98SE();
    nt98.csd = "Service Pack 6";
    const HotfixRow rows[] = {
        {SimSystem::WindowsNT4(6), real, 1, "Service Pack 6a"},
        {SimSystem::WindowsNT4(6), joined, 1, "Service Pack 6a"},
        {SimSystem::WindowsNT4(6), real, 0, "Service Pack 6"},
        {SimSystem::WindowsNT4(6), nullptr, 0, "Service Pack 6"},
        {SimSystem::WindowsNT4(5), real, 1, "Service Pack 5"},
        {nt98, real, 1, "Service Pack 6"},  // only the NT family has the hotfix
    };
    for (const HotfixRow& row : rows) {
        SCOPED_TRACE(std::string(row.csd) + " " + (row.hotfixKey ? row.hotfixKey : "-"));
        SimPlatform sim;
        sim.system.version = row.version;
        if (row.hotfixKey) sim.registry.SetInteger(HKLM, row.hotfixKey, "Installed", row.installed);
        ScopedPlatform scope(sim);
        TOperatingSystem os;
        os.GetInfo();
        EXPECT_EQ(os.CSD, row.csd);
    }
}

const char* const kFolderKeys[] = {
    "CommonFiles", "ProgramFiles", "Device", "OtherDevice", "Media", "Config", "Wallpaper",
    "Windows", "System", "Temp", "AppData", "CommonDesktopDir", "CommonAltStartUp",
    "RecycleBin", "CommonPrograms", "CommonStartMenu", "CommonStartup", "CommonFavorites",
    "Cookies", "Controls", "Desktop", "DesktopDir", "Favorites", "Drives", "Fonts", "History",
    "Internet", "InternetCache", "NetWork", "NetHood", "MyDocuments", "PrintHood", "Printers",
    "Programs", "Recent", "SendTo", "StartMenu", "StartUp", "Templates", "Profile",
};

TEST(OperatingSystem, FoldersKeepTheirOrderAndKeysEvenWhenEmpty) {
    SimPlatform sim;
    sim.shell.specialFolders[0] = "C:\\Documents and Settings\\Juan\\Escritorio";
    sim.shell.specialFolders[26] = "C:\\Documents and Settings\\Juan\\Datos de programa";
    // NT keeps the program folders under the Windows key too, not under its own.
    sim.registry.SetString(HKLM, k9xKey, "ProgramFilesDir", "C:\\Archivos de programa");
    sim.registry.SetString(HKLM, kNTKey, "CommonFilesDir", "C:\\equivocado");
    ScopedPlatform scope(sim);
    TOperatingSystem os;
    for (int round = 0; round < 2; ++round) os.GetInfo();  // gathering again replaces
    TStringCollection& f = *os.Folders;
    ASSERT_EQ(f.Count(), static_cast<int>(std::size(kFolderKeys)));
    for (int i = 0; i < f.Count(); ++i) EXPECT_EQ(f.Names(i), kFolderKeys[i]) << i;
    EXPECT_EQ(f.Get(0), "CommonFiles=");
    EXPECT_EQ(f.Values("ProgramFiles"), "C:\\Archivos de programa");
    EXPECT_EQ(f.Values("Temp"), "C:\\WINDOWS\\TEMP\\");
    EXPECT_EQ(f.Values("AppData"), "C:\\Documents and Settings\\Juan\\Datos de programa");
    EXPECT_EQ(f.Values("Desktop"), "C:\\Documents and Settings\\Juan\\Escritorio");
    EXPECT_EQ(f.Get(f.IndexOfName("DesktopDir")), "DesktopDir=");
    EXPECT_EQ(f.Values("Profile"), "C:\\Documents and Settings\\Juan");
}

TEST(OperatingSystem, EnvironmentSeparatorsAndDayHalvesAreTheUsers) {
    SimPlatform sim;
    sim.system.environment = {"=C:=C:\\", "PATH=C:\\WINDOWS", "windir=C:\\WINDOWS"};
    sim.system.locale.decimalSeparator = ',';
    sim.system.locale.thousandSeparator = '.';
    sim.system.locale.dateSeparator = '-';
    sim.system.locale.timeSeparator = '.';
    sim.system.locale.timeAmString = "a.m.";
    sim.system.locale.timePmString = "p.m.";
    ScopedPlatform scope(sim);
    TOperatingSystem os;
    os.Environment->Add("VIEJA=1");
    os.GetInfo();
    EXPECT_EQ(os.Environment->CommaText(), "=C:=C:\\,PATH=C:\\WINDOWS,windir=C:\\WINDOWS");
    EXPECT_EQ(std::string({os.rDecimalSeparator, os.rThousandSeparator, os.rDateSeparator,
                           os.rHourSeparator}),
              ",.-.");
    EXPECT_EQ(os.rTimeAmString + " " + os.rTimePmString, "a.m. p.m.");
}

struct FailureRow {
    const char* failAt;
    std::vector<std::string> errors;
};

// Each part records its own failure with its own prefix; what was gathered before stays.
TEST(OperatingSystem, FailuresAreRecordedWithEachPartsPrefix) {
    const FailureRow rows[] = {
        {"TimeZone", {"TTimeZone.GetInfo: falla simulada"}},
        {"Version",
         {"TNTSpecific.GetInfofalla simulada", "TOperatingSystem.GetInfo: falla simulada"}},
        {"WindowsDirectory", {"TOperatingSystem.GetInfo: falla simulada"}},
    };
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.failAt);
        testing_os::FailingSim sim;
        sim.system.locale.decimalSeparator = ',';
        ScopedPlatform scope(sim);
        Facts();  // the start-up values are known before anything fails
        sim.failAt = row.failAt;
        TStringCollection errors;
        TOperatingSystem os(&errors);
        os.GetInfo();
        ASSERT_EQ(errors.Count(), static_cast<int>(row.errors.size()));
        for (int i = 0; i < errors.Count(); ++i) EXPECT_EQ(errors.Get(i), row.errors[i]);
        EXPECT_EQ(os.rDecimalSeparator, ',');
        EXPECT_EQ(os.rTimeAmString, "AM");
    }
}


}  // namespace
}  // namespace rb
