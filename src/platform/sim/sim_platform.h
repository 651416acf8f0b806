// A simulated Windows for tests: every answer is a field the test sets. Presets stand for the
// two families (Windows 95/98/ME and NT).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim_registry.h"

namespace rb::platform {

class SimPlatform : public Platform {
public:
    SimPlatform() = default;

    // Presets: the version record of a known system (nothing else is filled).
    static OsVersion Windows95();
    static OsVersion Windows98SE();
    static OsVersion WindowsME();
    static OsVersion WindowsNT4(int servicePack);
    static OsVersion Windows2000();
    static OsVersion WindowsXP();

    SimRegistry registry;
    OsVersion version = WindowsXP();
    uint32_t tickCount = 0;
    uint32_t tickStep = 0;  // added after every TickCount() answer
    std::string computerName = "SIMPC";
    std::string userName = "Usuario";
    std::vector<std::string> environment;  // "NAME=value"; also what EnvironmentVariable reads
    std::string moduleFileName = "C:\\Archivos de programa\\Kelto\\rbInfo.exe";
    std::string tempPath = "C:\\WINDOWS\\TEMP\\";
    LocaleFormats locale;
    std::vector<std::string> drivesWithDisk;  // roots for which DiskInDrive answers true
    std::map<std::string, FileVersion> fileVersions;
    std::map<int, std::string> specialFolders;
    struct Shortcut {
        std::string target;
        std::string arguments;
    };
    std::map<std::string, Shortcut> shortcuts;
    // Modules by lower-case name: their symbol names; `loaded` ones count as already present.
    struct SimModule {
        bool loaded = false;
        std::vector<std::string> symbols;
    };
    std::map<std::string, SimModule> modules;

    // The processor: recorded CPUID answers by leaf (a leaf not recorded answers zeros), and
    // every leaf asked, in order. Without `hasCpuid` / `hasTimeStamp` the instruction throws.
    std::map<uint32_t, CpuidRegisters> cpuid;
    std::vector<uint32_t> cpuidCalls;
    bool hasCpuid = true;
    bool hasTimeStamp = true;
    uint32_t processorCount = 1;
    // Scripted counters: every read answers the current value and then adds the step.
    std::optional<int64_t> performanceFrequency = 10000000;  // 10 MHz
    int64_t performanceCounter = 0;
    int64_t performanceCounterStep = 10;  // 1 us per read at 10 MHz
    uint64_t timeStamp = 0;
    uint64_t timeStampStep = 1000;  // so 1000 MHz with the defaults above
    // The calling thread's priority; every change is recorded. Not `priorityReadable`: reading
    // it fails.
    int threadPriority = 0;
    bool priorityReadable = true;
    std::vector<int> priorityChanges;

    // The operating system, machine and memory sections (sim_platform_system.cpp).
    static MemoryStatus Memory512MB();             // a status both calls can give
    static AddressSpaceInfo AddressSpaceNT();      // 64 KB to 2 GB - 64 KB
    static AddressSpaceInfo AddressSpace9x();      // 4 MB to 2 GB
    static TimeZoneInfo RomanceTimeZone();         // Madrid/Paris, in standard time
    double now = 40000.5;  // 6 July 2009, noon
    TimeZoneInfo timeZone = RomanceTimeZone();
    std::string windowsDirectory = "C:\\WINDOWS";
    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM32";
    MemoryStatus memory = Memory512MB();                  // GlobalMemoryStatus
    std::optional<MemoryStatus> memoryEx = Memory512MB();  // none: the system lacks the call
    AddressSpaceInfo addressSpace = AddressSpaceNT();
    std::array<uint8_t, 256> keyboard{};
    // The BIOS area from 0xF0000 to 0xFFFFF; empty: not mapped into the process.
    std::vector<uint8_t> biosArea;
    void SetBiosText(uint32_t address, std::string_view text);  // maps the area if needed

    // What the program did, for tests to inspect.
    std::vector<std::pair<int32_t, uint32_t>> shellNotifications;
    struct Box {
        std::string text, caption;
        uint32_t flags;
    };
    std::vector<Box> messageBoxes;
    int messageBoxAnswer = 1;  // IDOK
    // What NewGuid answers; its last byte is incremented after every answer, so successive
    // GUIDs differ and stay predictable.
    std::array<uint8_t, 16> guid = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE,
                                    0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0x00};

    Registry& Reg() override { return registry; }
    OsVersion Version() override { return version; }
    uint32_t TickCount() override;
    std::string ComputerName() override { return computerName; }
    std::string UserName() override { return userName; }
    std::vector<std::string> EnvironmentStrings() override { return environment; }
    std::string EnvironmentVariable(std::string_view name) override;
    std::string ModuleFileName() override { return moduleFileName; }
    std::string TempPath() override { return tempPath; }
    LocaleFormats Locale() override { return locale; }
    bool DiskInDrive(std::string_view root) override;
    std::optional<FileVersion> FileVersionInfo(std::string_view file) override;
    std::unique_ptr<Module> LoadModule(std::string_view name, bool onlyIfLoaded) override;
    std::string SpecialFolder(int csidl) override;
    int32_t ResolveShortcut(std::string_view file, std::string& target,
                            std::string& arguments) override;
    void ShellChangeNotify(int32_t event, uint32_t flags) override;
    bool ShowFileProperties(uintptr_t window, std::string_view file) override;
    int MessageBox(std::string_view text, std::string_view caption, uint32_t flags) override;
    std::array<uint8_t, 16> NewGuid() override;
    double Now() override { return now; }
    TimeZoneInfo TimeZone() override { return timeZone; }
    std::string WindowsDirectory() override { return windowsDirectory; }
    std::string SystemDirectory() override { return systemDirectory; }
    MemoryStatus GlobalMemory() override { return memory; }
    std::optional<MemoryStatus> GlobalMemoryEx() override { return memoryEx; }
    AddressSpaceInfo AddressSpace() override { return addressSpace; }
    std::array<uint8_t, 256> KeyboardState() override { return keyboard; }
    std::optional<std::vector<uint8_t>> ReadBiosArea(uint32_t address, uint32_t length) override;
    CpuidRegisters Cpuid(uint32_t leaf) override;
    uint64_t TimeStampCounter() override;
    std::optional<int64_t> PerformanceFrequency() override { return performanceFrequency; }
    int64_t PerformanceCounter() override;
    std::optional<int> ThreadPriority() override;
    void SetThreadPriority(int priority) override;
    uint32_t ProcessorCount() override { return processorCount; }
};

}  // namespace rb::platform
