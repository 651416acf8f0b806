// What system this is, and the names, folders and files the sections ask about.
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines_os.h"
#include "sysinfo/wow64_paths.h"

namespace rb {
namespace {

using platform::Current;
using platform::RootKey;

constexpr uint32_t kPlatformNT = 2;

struct FamilyRow {
    OsKind kind;
    const char* name;
};
const FamilyRow kFamilies[] = {
    {OsKind::Win95, "Windows 95"},
    {OsKind::Win95OSR2, "Windows 95"},
    {OsKind::Win98, "Windows 98"},
    {OsKind::Win98SE, "Windows 98"},
    {OsKind::WinNT3, "Windows NT"},
    {OsKind::WinNT4, "Windows NT"},
    {OsKind::Win2000, "Windows 2000"},
    {OsKind::WinME, "Windows Millenium Edition"},
    {OsKind::WinXP, "Windows XP"},
};

const char kNTClassKey[] = "SYSTEM\\CurrentControlSet\\Control\\Class";
const char k9xClassKey[] = "SYSTEM\\CurrentControlSet\\Services\\Class";

OsKind NTKind(const platform::OsVersion& v) {
    if (v.major == 5 && v.minor == 1) return OsKind::WinXP;
    switch (v.major) {
        case 3: return OsKind::WinNT3;
        case 4: return OsKind::WinNT4;
        case 5: return OsKind::Win2000;  // 5.2 and later 5.x too
        default: return OsKind::Unknown;
    }
}

OsKind Win9xKind(const platform::OsVersion& v) {
    const std::string csd = Trim(v.csd);
    if (v.major != 4) return OsKind::Unknown;
    if (v.minor == 0) return csd == "B" ? OsKind::Win95OSR2 : OsKind::Win95;
    if (v.minor == 10) return csd == "A" ? OsKind::Win98SE : OsKind::Win98;
    if (v.minor == 90) return OsKind::WinME;
    return OsKind::Unknown;
}

SystemFacts ComputeFacts() {
    const platform::OsVersion version = RunningVersion();
    SystemFacts f;
    f.Kind = OsKindOf(version);
    const OsKind k = f.Kind;
    // The kinds stop at XP; a later NT system is still NT, so the sections take the NT paths.
    f.IsNT = k == OsKind::WinNT3 || k == OsKind::WinNT4 || k == OsKind::Win2000 ||
             k == OsKind::WinXP || version.platformId == kPlatformNT;
    f.IsWin95 = k == OsKind::Win95;
    f.IsOSR2 = k == OsKind::Win95OSR2;
    f.IsWin98 = k == OsKind::Win98;
    f.IsSE = k == OsKind::Win98SE;
    f.IsWin2K = k == OsKind::Win2000;
    f.IsME = k == OsKind::WinME;
    f.IsXP = k == OsKind::WinXP;
    f.UserName = GetUserName();
    f.ComputerName = GetMachineName();
    f.ProfileFolder = GetProfileFolder();
    for (const FamilyRow& row : kFamilies) {
        if (row.kind == k) f.OSFamilyName = row.name;
    }
    if (f.OSFamilyName.empty() && version.platformId == kPlatformNT) f.OSFamilyName = "Windows NT";
    f.ClassKey = f.IsNT || f.IsXP ? kNTClassKey : k9xClassKey;
    return f;
}

}  // namespace

platform::OsVersion RunningVersion() {
    platform::OsVersion version = Current().System().Version();
    if (version.platformId != kPlatformNT) return version;
    if (const auto kernel = Current().System().KernelVersion()) {
        if (kernel->platformId == kPlatformNT && kernel->major != 0) {
            version.major = kernel->major;
            version.minor = kernel->minor;
            version.build = kernel->build;
        }
    }
    return version;
}

OsKind OsKindOf(const platform::OsVersion& version) {
    return version.platformId == kPlatformNT ? NTKind(version) : Win9xKind(version);
}

OsKind GetOSKind() { return OsKindOf(RunningVersion()); }

const SystemFacts& Facts() {
    static SystemFacts facts;
    static uint64_t generation = 0;
    if (generation != platform::Generation()) {
        facts = ComputeFacts();
        generation = platform::Generation();
    }
    return facts;
}

std::string GetMachineName() {
    std::string name = Current().System().ComputerName();
    // The name the system will use after its next start, when it was changed since.
    const auto key = Current().Reg().Open(
        RootKey::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName");
    if (key) {
        if (auto stored = key->ReadString("ComputerName")) name = *stored;
    }
    return name;
}

std::string GetUserName() { return Current().System().UserName(); }

std::string GetProfileFolder() {
    const std::string desktop = Current().Shell().SpecialFolder(0);
    const size_t slash = desktop.rfind('\\');
    return slash == std::string::npos ? std::string() : desktop.substr(0, slash);
}

std::string GetSpecialFolder(int folder) { return Current().Shell().SpecialFolder(folder); }

void GetEnvironment(StringList& list) {
    list.Clear();
    for (std::string& entry : Current().System().EnvironmentStrings()) list.Add(std::move(entry));
}

void GetFileVerInfo(std::string_view file, std::string& description, std::string& version) {
    description.clear();
    version.clear();
    const auto info = Current().System().FileVersionInfo(file);
    if (!info) return;
    description = info->description;
    version = Format("%u.%u.%u.%u", info->parts[0], info->parts[1], info->parts[2], info->parts[3]);
}

bool DiskInDrive(std::string_view drive) {
    std::string root(drive);
    if (root.size() == 1) root += ':';
    if (root.empty() || root.back() != '\\') root += '\\';
    return Current().Storage().DiskInDrive(root);
}

int32_t ResolveShortcut(std::string_view file, std::string& target, std::string& arguments) {
    target.clear();
    arguments.clear();
    const int32_t result = Current().Shell().ResolveShortcut(file, target, arguments);
    // Under WOW64 the path shown is the one the (64-bit) shell opens.
    if (result == 0 && !target.empty()) target = NativeShortcutTarget(file, target);
    return result;
}

bool ShowFileProperties(uintptr_t window, std::string_view file) {
    return Current().Shell().ShowFileProperties(window, file);
}

}  // namespace rb
