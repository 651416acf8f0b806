// The simulated system and version area: every answer is a field the test sets. Presets stand
// for the two families (Windows 95/98/ME and NT).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/system.h"

namespace rb::platform {

class SimSystem : public SystemArea {
public:
    // Presets: the version record of a known system.
    static OsVersion Windows95();
    static OsVersion Windows98SE();
    static OsVersion WindowsME();
    static OsVersion WindowsNT4(int servicePack);
    static OsVersion Windows2000();
    static OsVersion WindowsXP();
    // Windows 10 22H2 as the kernel records it, and what the version call tells a program
    // whose manifest does not name Windows 10 (the numbers of Windows 8).
    static OsVersion Windows10();
    static OsVersion Windows8Compatibility();
    static MemoryStatus Memory512MB();         // a status both calls can give
    static AddressSpaceInfo AddressSpaceNT();  // 64 KB to 2 GB - 64 KB
    static AddressSpaceInfo AddressSpace9x();  // 4 MB to 2 GB
    static TimeZoneInfo RomanceTimeZone();     // Madrid/Paris, in standard time

    OsVersion version = WindowsXP();
    // RtlGetVersion's record; none: the system has no such call (Windows 95/98/ME) and
    // KernelVersion answers nullopt.
    std::optional<OsVersion> kernelVersion;
    uint32_t tickCount = 0;
    uint32_t tickStep = 0;  // added after every TickCount() answer
    std::string computerName = "SIMPC";
    std::string userName = "Usuario";
    std::vector<std::string> environment;  // "NAME=value"; also what EnvironmentVariable reads
    std::string moduleFileName = "C:\\Archivos de programa\\Kelto\\rbInfo.exe";
    std::string tempPath = "C:\\WINDOWS\\TEMP\\";
    std::string windowsDirectory = "C:\\WINDOWS";
    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM32";
    LocaleFormats locale;
    // Initialisation files by name, then section, compared without regard to case.
    using IniSection = std::vector<std::pair<std::string, std::string>>;
    std::map<std::string, std::map<std::string, IniSection>> iniFiles;
    std::map<std::string, FileVersion> fileVersions;
    // What NewGuid answers; its last byte is incremented after every answer, so successive
    // GUIDs differ and stay predictable.
    std::array<uint8_t, 16> guid = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE,
                                    0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0x00};
    double now = 40000.5;  // 6 July 2009, noon
    TimeZoneInfo timeZone = RomanceTimeZone();
    MemoryStatus memory = Memory512MB();                  // GlobalMemoryStatus
    std::optional<MemoryStatus> memoryEx = Memory512MB();  // none: the system lacks the call
    AddressSpaceInfo addressSpace = AddressSpaceNT();
    // The BIOS area from 0xF0000 to 0xFFFFF; empty: not mapped into the process.
    std::vector<uint8_t> biosArea;
    void SetBiosText(uint32_t address, std::string_view text);  // maps the area if needed

    OsVersion Version() override { return version; }
    std::optional<OsVersion> KernelVersion() override { return kernelVersion; }
    uint32_t TickCount() override;
    std::string ComputerName() override { return computerName; }
    std::string UserName() override { return userName; }
    std::vector<std::string> EnvironmentStrings() override { return environment; }
    std::string EnvironmentVariable(std::string_view name) override;
    std::string ModuleFileName() override { return moduleFileName; }
    std::string TempPath() override { return tempPath; }
    std::string WindowsDirectory() override { return windowsDirectory; }
    std::string SystemDirectory() override { return systemDirectory; }
    IniSection ProfileSection(std::string_view file, std::string_view section) override;
    LocaleFormats Locale() override { return locale; }
    std::optional<FileVersion> FileVersionInfo(std::string_view file) override;
    std::array<uint8_t, 16> NewGuid() override;
    double Now() override { return now; }
    TimeZoneInfo TimeZone() override { return timeZone; }
    MemoryStatus GlobalMemory() override { return memory; }
    std::optional<MemoryStatus> GlobalMemoryEx() override { return memoryEx; }
    AddressSpaceInfo AddressSpace() override { return addressSpace; }
    std::optional<std::vector<uint8_t>> ReadBiosArea(uint32_t address, uint32_t length) override;
};

}  // namespace rb::platform
