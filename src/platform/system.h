// System and version: the questions kernel32, advapi32 and version.dll answer about the running
// system, its names, folders, clock, memory and regional settings.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rb::platform {

// The 148-byte version record (plus the extended fields when the system gives them).
struct OsVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t platformId = 0;  // 0 Win32s, 1 Windows 95/98/ME, 2 NT
    std::string csd;          // service-pack text
    bool extended = false;    // the fields below are valid
    uint16_t servicePackMajor = 0;
    uint16_t servicePackMinor = 0;
    uint16_t suiteMask = 0;
    uint8_t productType = 0;
};

// Version resource of a file: the fixed file version and the string table's description.
struct FileVersion {
    uint16_t parts[4] = {0, 0, 0, 0};  // most significant first
    std::string description;           // \StringFileInfo\040904E4\FileDescription
};

// User's regional settings, as the text formatting routines need them.
struct LocaleFormats {
    char decimalSeparator = '.';
    char thousandSeparator = ',';
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string shortDateFormat = "dd/MM/yyyy";
    std::string longTimeFormat = "HH:mm:ss";
    std::string timeAmString = "AM";
    std::string timePmString = "PM";
};

// A date-time as the system records it (SYSTEMTIME layout; dayOfWeek 0 = Sunday). In a time
// zone's transition a year of 0 states a rule: the day-th (5 = last) given weekday of the month.
struct SystemTimeRecord {
    uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0;
    uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// The current time zone (GetTimeZoneInformation); names in the 8-bit code page.
struct TimeZoneInfo {
    int32_t bias = 0;  // minutes: UTC = local time + bias
    std::string standardName;
    SystemTimeRecord standardDate;
    int32_t standardBias = 0;
    std::string daylightName;
    SystemTimeRecord daylightDate;
    int32_t daylightBias = 0;
    uint32_t state = 0;  // the call's answer: 0 unknown, 1 standard, 2 daylight time in force
};

// Memory figures in bytes (GlobalMemoryStatus, or GlobalMemoryStatusEx where there is one).
struct MemoryStatus {
    uint32_t memoryLoad = 0;  // percent
    uint64_t totalPhys = 0, availPhys = 0;
    uint64_t totalPageFile = 0, availPageFile = 0;
    uint64_t totalVirtual = 0, availVirtual = 0;
};

// The memory fields of GetSystemInfo.
struct AddressSpaceInfo {
    uint32_t pageSize = 0;
    uint32_t allocationGranularity = 0;
    uint32_t minimumApplicationAddress = 0;
    uint32_t maximumApplicationAddress = 0;
};

class SystemArea {
public:
    virtual ~SystemArea() = default;

    // GetVersionExA: from Windows 8.1 on, the numbers of the newest system the program's
    // manifest names (Windows 8 without one).
    virtual OsVersion Version() = 0;
    // The version record the kernel keeps (ntdll's RtlGetVersion), whatever the manifest says;
    // nullopt where the system has no such call (Windows 95/98/ME).
    virtual std::optional<OsVersion> KernelVersion() = 0;
    virtual uint32_t TickCount() = 0;
    virtual std::string ComputerName() = 0;  // "" on failure
    virtual std::string UserName() = 0;      // "" on failure
    virtual std::vector<std::string> EnvironmentStrings() = 0;
    // One environment variable; "" when it is not set. (Portable default: getenv.)
    virtual std::string EnvironmentVariable(std::string_view name);
    virtual std::string ModuleFileName() = 0;  // full path of the running program
    virtual std::string TempPath() = 0;        // with its trailing backslash
    virtual std::string WindowsDirectory() = 0;  // "" on failure
    // The name=value pairs of one section of an initialisation file named as the system takes it
    // ("WIN.INI": the one in the Windows folder), in file order; empty when there is none.
    virtual std::vector<std::pair<std::string, std::string>> ProfileSection(
        std::string_view file, std::string_view section) = 0;
    virtual std::string SystemDirectory() = 0;   // "" on failure
    virtual LocaleFormats Locale() = 0;
    virtual std::optional<FileVersion> FileVersionInfo(std::string_view file) = 0;
    // A new GUID in its in-memory layout (CoCreateGuid). (Portable default: random, version 4.)
    virtual std::array<uint8_t, 16> NewGuid();

    virtual double Now() = 0;  // local date-time: days since 30 December 1899, fraction = time
    virtual TimeZoneInfo TimeZone() = 0;
    virtual MemoryStatus GlobalMemory() = 0;  // GlobalMemoryStatus: 32-bit figures
    // GlobalMemoryStatusEx; nullopt where the system has none (before Windows 2000).
    virtual std::optional<MemoryStatus> GlobalMemoryEx() = 0;
    virtual AddressSpaceInfo AddressSpace() = 0;
    // Bytes of the BIOS area (below 1 MB) at a linear address, where that area is mapped into
    // the process (Windows 95/98/ME); nullopt where it is not or the range cannot be read.
    virtual std::optional<std::vector<uint8_t>> ReadBiosArea(uint32_t address,
                                                             uint32_t length) = 0;
};

}  // namespace rb::platform
