// What system this is, and the names, folders and files the sections ask about.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/string_list.h"
#include "platform/system.h"

namespace rb {

enum class OsKind {
    Unknown = 0,
    Win95 = 1,
    Win95OSR2 = 2,
    Win98 = 3,
    Win98SE = 4,
    WinNT3 = 5,
    WinNT4 = 6,
    Win2000 = 7,
    WinME = 8,
    WinXP = 9,
};

// The running system's version record: the version call's answer with, on the NT family,
// the kernel's own numbers. From Windows 8.1 on the version call gives a program the numbers
// of the newest system its manifest names, which would make Windows 10 or 11 read 6.2.9200.
platform::OsVersion RunningVersion();

// The kind for a version record, and for the running system.
OsKind OsKindOf(const platform::OsVersion& version);
OsKind GetOSKind();

// Values computed once from the running system; the sections use these instead of asking again.
struct SystemFacts {
    OsKind Kind = OsKind::Unknown;
    bool IsNT = false;  // every system of platform id 2, whatever its kind
    bool IsWin95 = false;
    bool IsOSR2 = false;
    bool IsWin98 = false;
    bool IsSE = false;
    bool IsWin2K = false;
    bool IsME = false;
    bool IsXP = false;
    std::string UserName;
    std::string ComputerName;
    std::string ProfileFolder;
    std::string OSFamilyName;  // "Windows XP", ...; "Windows NT" for an NT system of no known kind
    std::string ClassKey;      // root of the device classes under HKEY_LOCAL_MACHINE
};

// Computed on first use and again whenever another platform was installed.
const SystemFacts& Facts();

// Names and folders.
std::string GetMachineName();
std::string GetUserName();
std::string GetProfileFolder();           // the desktop folder without its last component
std::string GetSpecialFolder(int folder);  // CSIDL number; "" when it has no file-system path
void GetEnvironment(StringList& list);
// Both texts empty when the file has no version resource.
void GetFileVerInfo(std::string_view file, std::string& description, std::string& version);
bool DiskInDrive(std::string_view drive);  // "C", "C:" or "C:\"
// Result code of the shell link's load (0 on success). Under WOW64 the target is the one the
// 64-bit shell opens, not the 32-bit folder a 32-bit shell link maps it to.
int32_t ResolveShortcut(std::string_view file, std::string& target, std::string& arguments);
bool ShowFileProperties(uintptr_t window, std::string_view file);

}  // namespace rb
