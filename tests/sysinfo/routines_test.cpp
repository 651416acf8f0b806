// The system-facing shared routines against simulated Windows 95/98/ME and NT systems.
#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/routines.h"

namespace {

using rb::OsKind;
using rb::platform::OsVersion;
using rb::platform::RootKey;
using rb::platform::ScopedPlatform;
using rb::platform::SimPlatform;
using rb::platform::SimSystem;

OsVersion Version(uint32_t platformId, uint32_t major, uint32_t minor, const char* csd) {
    OsVersion v;
    v.platformId = platformId;
    v.major = major;
    v.minor = minor;
    v.csd = csd;
    return v;
}

struct KindRow {
    OsVersion version;
    OsKind kind;
};

TEST(GetOSKind, EveryRowOfTheTable) {
    const KindRow rows[] = {
        {Version(2, 3, 51, ""), OsKind::WinNT3},
        {SimSystem::WindowsNT4(6), OsKind::WinNT4},
        {SimSystem::Windows2000(), OsKind::Win2000},
        {SimSystem::WindowsXP(), OsKind::WinXP},
        {Version(2, 5, 2, "Service Pack 2"), OsKind::Win2000},
        {Version(2, 6, 0, "Service Pack 2"), OsKind::Unknown},
        {Version(2, 6, 1, "Service Pack 1"), OsKind::Unknown},
        {SimSystem::Windows95(), OsKind::Win95},
        {Version(1, 4, 0, " C"), OsKind::Win95},
        {Version(1, 4, 0, "B"), OsKind::Win95OSR2},
        {Version(1, 4, 0, " B "), OsKind::Win95OSR2},
        {Version(1, 4, 10, ""), OsKind::Win98},
        {SimSystem::Windows98SE(), OsKind::Win98SE},
        {SimSystem::WindowsME(), OsKind::WinME},
        {Version(1, 4, 20, ""), OsKind::Unknown},
        {Version(0, 3, 10, ""), OsKind::Unknown},  // Win32s
    };
    for (const KindRow& row : rows) {
        SimPlatform sim;
        sim.system.version = row.version;
        ScopedPlatform scope(sim);
        EXPECT_EQ(rb::GetOSKind(), row.kind)
            << row.version.platformId << " " << row.version.major << "." << row.version.minor
            << " '" << row.version.csd << "'";
    }
}

// Which of the kind flags are set, as letters, so one expectation covers all of them.
std::string FlagsOf(const rb::SystemFacts& f) {
    std::string s;
    if (f.IsNT) s += "N";
    if (f.IsWin95) s += "5";
    if (f.IsOSR2) s += "O";
    if (f.IsWin98) s += "8";
    if (f.IsSE) s += "S";
    if (f.IsWin2K) s += "2";
    if (f.IsME) s += "M";
    if (f.IsXP) s += "X";
    return s;
}

const char kNTClasses[] = "SYSTEM\\CurrentControlSet\\Control\\Class";
const char k9xClasses[] = "SYSTEM\\CurrentControlSet\\Services\\Class";

struct FactsRow {
    OsVersion version;
    const char* flags;
    const char* family;
    const char* classKey;
};

TEST(Facts, FlagsFamilyNameAndClassKeyForEachSystem) {
    const FactsRow rows[] = {
        {SimSystem::Windows95(), "5", "Windows 95", k9xClasses},
        {Version(1, 4, 0, "B"), "O", "Windows 95", k9xClasses},
        {Version(1, 4, 10, ""), "8", "Windows 98", k9xClasses},
        {SimSystem::Windows98SE(), "S", "Windows 98", k9xClasses},
        {SimSystem::WindowsME(), "M", "Windows Millenium Edition", k9xClasses},
        {Version(1, 4, 20, ""), "", "", k9xClasses},
        {Version(2, 3, 51, ""), "N", "Windows NT", kNTClasses},
        {SimSystem::WindowsNT4(6), "N", "Windows NT", kNTClasses},
        {SimSystem::Windows2000(), "N2", "Windows 2000", kNTClasses},
        {SimSystem::WindowsXP(), "NX", "Windows XP", kNTClasses},
        // Systems newer than the table still run the NT way.
        {Version(2, 6, 0, ""), "N", "Windows NT", kNTClasses},
        {Version(2, 6, 1, "Service Pack 1"), "N", "Windows NT", kNTClasses},
    };
    for (const FactsRow& row : rows) {
        SimPlatform sim;
        sim.system.version = row.version;
        ScopedPlatform scope(sim);
        const rb::SystemFacts& f = rb::Facts();
        SCOPED_TRACE(std::to_string(row.version.major) + "." + std::to_string(row.version.minor));
        EXPECT_EQ(f.Kind, rb::OsKindOf(row.version));
        EXPECT_EQ(FlagsOf(f), row.flags);
        EXPECT_EQ(f.OSFamilyName, row.family);
        EXPECT_EQ(f.ClassKey, row.classKey);
    }
}

TEST(Facts, NamesComeFromThePlatformAndFollowAChangeOfPlatform) {
    SimPlatform xp;
    xp.system.userName = "Juan";
    xp.shell.specialFolders[0] = "C:\\Documents and Settings\\Juan\\Escritorio";
    xp.registry.SetString(RootKey::LocalMachine,
                          "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
                          "ComputerName", "NUEVO");
    ScopedPlatform outer(xp);
    EXPECT_EQ(rb::Facts().UserName, "Juan");
    EXPECT_EQ(rb::Facts().ComputerName, "NUEVO");  // the stored name wins
    EXPECT_EQ(rb::Facts().ProfileFolder, "C:\\Documents and Settings\\Juan");
    {
        SimPlatform w95;
        w95.system.version = SimSystem::Windows95();
        ScopedPlatform inner(w95);
        EXPECT_TRUE(rb::Facts().IsWin95);
        EXPECT_EQ(rb::Facts().ComputerName, "SIMPC");
        EXPECT_EQ(rb::Facts().ProfileFolder, "");
    }
    EXPECT_TRUE(rb::Facts().IsXP);
}

TEST(Routines, PlatformQuestionsAreHandedThrough) {
    SimPlatform sim;
    sim.system.environment = {"PATH=C:\\WINDOWS", "TEMP=C:\\TEMP"};
    sim.storage.drives["C:\\"].space = rb::platform::DiskSpace{8, 512, 100, 400};  // a medium
    sim.shell.specialFolders[24] = "C:\\Documents and Settings\\All Users\\Menú Inicio\\Inicio";
    sim.system.fileVersions["C:\\WINDOWS\\SYSTEM\\MSJET40.DLL"] = {{4, 0, 8618, 0}, "Motor Jet"};
    sim.shell.shortcuts["C:\\x.lnk"] = {"C:\\APP.EXE", "/min"};
    ScopedPlatform scope(sim);

    rb::StringList env{"old"};
    rb::GetEnvironment(env);
    EXPECT_EQ(env.Lines(), sim.system.environment);

    EXPECT_TRUE(rb::DiskInDrive("c"));
    EXPECT_TRUE(rb::DiskInDrive("C:"));
    EXPECT_TRUE(rb::DiskInDrive("C:\\"));
    EXPECT_FALSE(rb::DiskInDrive("A:"));
    EXPECT_EQ(rb::GetSpecialFolder(24), sim.shell.specialFolders[24]);
    EXPECT_EQ(rb::GetSpecialFolder(26), "");

    std::string description = "x", version = "y";
    rb::GetFileVerInfo("c:\\windows\\system\\msjet40.dll", description, version);
    EXPECT_EQ(description, "Motor Jet");
    EXPECT_EQ(version, "4.0.8618.0");
    rb::GetFileVerInfo("C:\\NOVERSION.DLL", description, version);
    EXPECT_EQ(description + version, "");

    std::string target, arguments;
    EXPECT_EQ(rb::ResolveShortcut("C:\\x.lnk", target, arguments), 0);
    EXPECT_EQ(target + " " + arguments, "C:\\APP.EXE /min");
    EXPECT_NE(rb::ResolveShortcut("C:\\missing.lnk", target, arguments), 0);
    EXPECT_EQ(target + arguments, "");
}

}  // namespace
