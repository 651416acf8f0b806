// Gathering of the operating-system section: version record, names and registration data,
// well-known folders and the environment. The time zone and the NT-family product data gather
// themselves (si_os_zone.cpp).
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_os.h"

namespace rb {
namespace {

// The section's prefix in the error list.
constexpr char kErrorPrefix[] = "TOperatingSystem.GetInfo: ";

using platform::Current;
using platform::RootKey;

const char kNTVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char k9xVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
// The hotfix that makes Service Pack 6 of NT 4 into 6a. Both spellings are accepted: the
// system's own key and the one without the blank.
const char* const kHotfixKeys[] = {
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009",
    "SOFTWARE\\Microsoft\\WindowsNT\\CurrentVersion\\Hotfix\\Q246009",
};

const char* const kPlatforms[] = {"Windows 3.1x", "Windows 9x", "Windows NT"};

// Registration texts; each one keeps its previous value when the registry has none.
struct RegText {
    const char* value;
    std::string TOperatingSystem::*field;
};
const RegText kRegTexts[] = {
    {"RegisteredOrganization", &TOperatingSystem::RegisteredOrg},
    {"RegisteredOwner", &TOperatingSystem::RegisteredUser},
    {"ProductID", &TOperatingSystem::ProductID},
    {"ProductKey", &TOperatingSystem::ProductKey},
    {"DVD_Region", &TOperatingSystem::DVDRegion},
};

struct NamedValue {
    const char* key;
    const char* value;
};
// Folders the system records under its "Windows\CurrentVersion" key, in report order.
const NamedValue kRegistryFolders[] = {
    {"CommonFiles=", "CommonFilesDir"}, {"ProgramFiles=", "ProgramFilesDir"},
    {"Device=", "DevicePath"},          {"OtherDevice=", "OtherDevicePath"},
    {"Media=", "MediaPath"},            {"Config=", "ConfigPath"},
    {"Wallpaper=", "WallPaperDir"},
};

struct SpecialFolder {
    const char* key;
    int csidl;
};
const SpecialFolder kSpecialFolders[] = {
    {"AppData=", 26},         {"CommonDesktopDir=", 25}, {"CommonAltStartUp=", 30},
    {"RecycleBin=", 10},      {"CommonPrograms=", 23},   {"CommonStartMenu=", 22},
    {"CommonStartup=", 24},   {"CommonFavorites=", 31},  {"Cookies=", 33},
    {"Controls=", 3},         {"Desktop=", 0},           {"DesktopDir=", 16},
    {"Favorites=", 6},        {"Drives=", 17},           {"Fonts=", 20},
    {"History=", 34},         {"Internet=", 1},          {"InternetCache=", 32},
    {"NetWork=", 18},         {"NetHood=", 19},          {"MyDocuments=", 5},
    {"PrintHood=", 27},       {"Printers=", 4},          {"Programs=", 2},
    {"Recent=", 8},           {"SendTo=", 9},            {"StartMenu=", 11},
    {"StartUp=", 7},          {"Templates=", 21},
};
constexpr int kDesktopFolder = 0;

bool IsNTFamily() { return Facts().IsNT || Facts().IsXP || Facts().IsWin2K; }

void ReadVersion(TOperatingSystem& os) {
    const platform::OsVersion v = RunningVersion();
    const SystemFacts& f = Facts();
    os.MajorVersion = static_cast<int32_t>(v.major);
    os.MinorVersion = static_cast<int32_t>(v.minor);
    // Windows 95/98/ME put the version numbers in the high word.
    os.BuildNumber = static_cast<int32_t>(v.build & 0xFFFF);
    os.OS_Version = f.OSFamilyName;
    os.Is_NT = f.IsNT;
    os.Is_2K = f.IsWin2K;
    os.Is_OSR2 = f.IsOSR2;
    os.Is_SE = f.IsSE;
    os.Is_XP = f.IsXP;
    if (v.platformId < 3) os.Platform = kPlatforms[v.platformId];
    if (!IsNTFamily()) {
        os.SOName = os.Platform;
    } else if (const auto key = Current().Reg().Open(RootKey::LocalMachine, kNTVersionKey)) {
        os.SOName = key->ReadString("ProductName").value_or("");
    }
    os.CSD = v.csd;
}

bool HotfixQ246009Installed() {
    for (const char* path : kHotfixKeys) {
        const auto key = Current().Reg().Open(RootKey::LocalMachine, path);
        if (key && key->ReadInteger("Installed") == 1u) return true;
    }
    return false;
}

void ReadRegistration(TOperatingSystem& os) {
    const bool nt = Facts().IsNT;
    os.Version.clear();
    os.RegisteredUser.clear();
    os.RegisteredOrg.clear();
    os.ProductID.clear();
    if (const auto key =
            Current().Reg().Open(RootKey::LocalMachine, nt ? kNTVersionKey : k9xVersionKey)) {
        if (const auto v = key->ReadString(nt ? "CurrentType" : "Version")) os.Version = *v;
        for (const RegText& t : kRegTexts) {
            if (const auto text = key->ReadString(t.value)) os.*t.field = *text;
        }
    }
    if (nt && os.CSD == "Service Pack 6" && HotfixQ246009Installed()) {
        os.CSD = "Service Pack 6a";
    }
}

void AddFolders(TOperatingSystem& os) {
    TStringCollection& folders = *os.Folders;
    // Every system, NT included, keeps these under the Windows key; its NT key has none.
    const auto key = Current().Reg().Open(RootKey::LocalMachine, k9xVersionKey);
    for (const NamedValue& f : kRegistryFolders) {
        folders.Add(f.key + (key ? key->ReadString(f.value).value_or("") : std::string()));
    }
    folders.Add("Windows=" + Current().System().WindowsDirectory());
    folders.Add("System=" + Current().System().SystemDirectory());
    folders.Add("Temp=" + Current().System().TempPath());
    std::string desktop;
    for (const SpecialFolder& f : kSpecialFolders) {
        const std::string path = GetSpecialFolder(f.csidl);
        if (f.csidl == kDesktopFolder) desktop = path;
        folders.Add(f.key + path);
    }
    const size_t slash = desktop.rfind('\\');
    folders.Add("Profile=" + (slash == std::string::npos ? std::string() : desktop.substr(0, slash)));
}

}  // namespace

void TOperatingSystem::GetInfo() {
    const platform::LocaleFormats locale = Current().System().Locale();
    rDecimalSeparator = locale.decimalSeparator;
    rThousandSeparator = locale.thousandSeparator;
    rDateSeparator = locale.dateSeparator;
    rHourSeparator = locale.timeSeparator;
    GatherGuarded(ErrorList(), kErrorPrefix, [&] {
        rTimeAmString = locale.timeAmString;
        rTimePmString = locale.timePmString;
        Folders->Clear();
        TimeZone->GetInfo();
        NTSpecific->GetInfo();
        ReadVersion(*this);
        ReadRegistration(*this);
        AddFolders(*this);
        StringList environment;
        GetEnvironment(environment);
        Environment->AddStrings(environment, true);
    });
}

}  // namespace rb
