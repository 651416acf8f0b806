// Routines shared by the information sections, the viewer and the program entry: what system
// this is, names and folders, registry device classes, version resources, locale-neutral
// numbers, duration and date texts and file-type registration.
// Every question to Windows goes through rb::platform::Current().
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/exception.h"
#include "core/string_list.h"
#include "platform/platform.h"

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
// Result code of the shell link's load (0 on success).
int32_t ResolveShortcut(std::string_view file, std::string& target, std::string& arguments);
bool ShowFileProperties(uintptr_t window, std::string_view file);

// The drivers of the first device class named `className` under `classKey` (HKLM): the texts of
// their `valueName` values, without duplicates; `key` gets the class's subkey name.
void GetClassDevices(const std::string& classKey, const std::string& className,
                     const std::string& valueName, StringList& list, std::string& key);

// Numbers and dates as locale-neutral text ("." as decimal separator).
std::string FloatToNeutralText(double value);
// Accepts "," as the separator when the text has no "."; raises EConvertError otherwise.
double NeutralTextToFloat(std::string_view text);
// The number as a date-time in the user's short date and long time formats.
std::string NeutralTextToDateTime(std::string_view text);

// Duration text in Spanish (see the four forms in routines_time.cpp).
std::string FormatSeconds(bool wholeSeconds, bool longForm, bool clock, int64_t seconds);

// A time-zone transition as the system records it (SYSTEMTIME layout; dayOfWeek 0 = Sunday).
struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};
// The transition's date-time in `year`; 0 when there is none (month 0) or the record is invalid.
double TransitionDate(int year, const SystemTime& date);

// Small text helpers.
std::string WideBufferToText(const std::vector<uint8_t>& buffer);
std::string ReplaceText(std::string_view text, std::string_view pattern,
                        std::string_view replacement);
std::string RemoveBlanks(std::string_view text);
void ListToReport(const StringList& list, std::string_view countKey, std::string_view itemKey,
                  StringList& report);
std::string MediaTypeText(uint32_t driveType);

// Registry writes that the system refused.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// Associates ".<extension>" with `file` (the program's full path) under HKEY_CLASSES_ROOT.
// Raises ERegistryException when a key cannot be created or a value written.
void RegisterFileType(const std::string& extension, const std::string& file,
                      const std::string& description, const std::string& openParams = "",
                      const std::string& typeName = "", int iconIndex = 0);

}  // namespace rb
