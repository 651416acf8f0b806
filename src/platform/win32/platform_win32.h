// The platform layer over the real Windows calls: one class per area, in the files named beside
// each group.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include "platform/platform.h"
#include "platform/win32/automation_win32.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/late_binding_win32.h"
#include "platform/win32/mail_win32.h"
#include "platform/win32/multimedia_win32.h"
#include "platform/win32/power_win32.h"
#include "platform/win32/printers_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/services_win32.h"

namespace rb::platform {

// system_win32.cpp, system_memory_win32.cpp
class Win32System : public SystemArea {
public:
    OsVersion Version() override;
    std::optional<OsVersion> KernelVersion() override;
    uint32_t TickCount() override;
    std::string ComputerName() override;
    std::string UserName() override;
    std::vector<std::string> EnvironmentStrings() override;
    std::string EnvironmentVariable(std::string_view name) override;
    std::string ModuleFileName() override;
    std::string TempPath() override;
    std::string WindowsDirectory() override;
    std::vector<std::pair<std::string, std::string>> ProfileSection(
        std::string_view file, std::string_view section) override;
    std::string SystemDirectory() override;
    LocaleFormats Locale() override;
    std::optional<FileVersion> FileVersionInfo(std::string_view file) override;
    std::array<uint8_t, 16> NewGuid() override;
    double Now() override;
    TimeZoneInfo TimeZone() override;
    MemoryStatus GlobalMemory() override;
    std::optional<MemoryStatus> GlobalMemoryEx() override;
    AddressSpaceInfo AddressSpace() override;
    std::optional<std::vector<uint8_t>> ReadBiosArea(uint32_t address, uint32_t length) override;
};

// processor_win32.cpp
class Win32Processor : public ProcessorArea {
public:
    CpuidRegisters Cpuid(uint32_t leaf) override;
    uint64_t TimeStampCounter() override;
    std::optional<int64_t> PerformanceFrequency() override;
    int64_t PerformanceCounter() override;
    std::optional<int> ThreadPriority() override;
    void SetThreadPriority(int priority) override;
    uint32_t ProcessorCount() override;
};

// storage_win32.cpp
class Win32Storage : public StorageArea {
public:
    std::vector<std::string> DriveStrings() override;
    uint32_t DriveKind(std::string_view root) override;
    bool DiskInDrive(std::string_view root) override;
    std::optional<DiskSpace> FreeSpace(std::string_view root) override;
    std::optional<VolumeData> Volume(std::string_view root) override;
    std::string FullPathName(std::string_view path) override;
    std::optional<std::string> UniversalName(std::string_view path) override;
    std::vector<ConnectedResource> ConnectedDiskResources() override;
    FileCopy CopyFileReplacing(std::string_view from, std::string_view to) override;
    bool FileExists(std::string_view path) override;
};

// processes_win32.cpp
class Win32Processes : public ProcessesArea {
public:
    bool PsapiAvailable() override;
    bool ToolHelpAvailable() override;
    std::optional<std::vector<uint32_t>> ProcessIds(uint32_t capacity) override;
    std::optional<std::vector<ProcessEntry>> Snapshot() override;
    std::string ModuleName(uint32_t processId, bool fullPath) override;
    std::optional<std::string> FullImageName(uint32_t processId) override;
    uint32_t CurrentProcessId() override { return ::GetCurrentProcessId(); }
    std::optional<bool> IsWow64(uint32_t processId) override;
    void ReleaseLibraries() override;

private:
    struct Psapi {
        using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
        using ModuleNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
        win32::Library library;
        EnumProcessesFn enumProcesses = nullptr;
        ModuleNameFn baseName = nullptr;
        ModuleNameFn fileName = nullptr;
    };
    struct ToolHelp {
        using SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
        using WalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
        SnapshotFn snapshot = nullptr;
        WalkFn first = nullptr;
        WalkFn next = nullptr;
    };
    const Psapi& LoadPsapi();
    const ToolHelp& LoadToolHelp();

    bool psapiTried_ = false;
    Psapi psapi_;
    bool toolHelpTried_ = false;
    ToolHelp toolHelp_;
};

// display_win32.cpp
class Win32Display : public DisplayArea {
public:
    std::optional<int32_t> ScreenCapability(int index) override;
    std::optional<DisplayMode> Mode(uint32_t number) override;
};

// network_win32.cpp
class Win32Network : public NetworkArea {
public:
    std::optional<WinsockData> Winsock(uint16_t version) override;
    std::vector<std::string> HostAddresses() override;
    std::vector<uint8_t> NetBiosAdapters() override;
    NetBiosStatus NetBiosAddress(uint8_t adapter) override;
    std::optional<std::vector<NetworkAdapter>> Adapters() override;
};

// shell_win32.cpp
class Win32Shell : public ShellArea {
public:
    std::string SpecialFolder(int csidl) override;
    int32_t ResolveShortcut(std::string_view file, std::string& target,
                            std::string& arguments) override;
    std::string ShortcutLinkText(std::string_view file) override;
    std::vector<std::string> FindFiles(std::string_view pattern) override;
    void ShellChangeNotify(int32_t event, uint32_t flags) override;
    bool ShowFileProperties(uintptr_t window, std::string_view file) override;
    bool OpenUrl(std::string_view url) override;
    std::string IndirectString(std::string_view reference) override;
};

// windows_ui_win32.cpp
class Win32Windows : public WindowsArea {
public:
    int ShowMessage(std::string_view text, std::string_view caption, uint32_t flags) override;
    int ShowMessageClosingAfter(std::string_view text, std::string_view caption, uint32_t flags,
                                uint32_t seconds) override;
    std::array<uint8_t, 256> KeyboardState() override;
};

class Win32Platform : public Platform {
public:
    Registry& Reg() override { return registry_; }
    SystemArea& System() override { return system_; }
    ProcessorArea& Processor() override { return processor_; }
    StorageArea& Storage() override { return storage_; }
    DisplayArea& Display() override { return display_; }
    NetworkArea& Network() override { return network_; }
    MultimediaArea& Multimedia() override { return multimedia_; }
    PowerArea& Power() override { return power_; }
    ProcessesArea& Processes() override { return processes_; }
    PrintersArea& Printers() override { return printers_; }
    ServicesArea& Services() override { return services_; }
    AutomationArea& Automation() override { return automation_; }
    MailArea& Mail() override { return mail_; }
    ShellArea& Shell() override { return shell_; }
    WindowsArea& Windows() override { return windows_; }

private:
    Win32Registry registry_;
    Win32System system_;
    Win32Processor processor_;
    Win32Storage storage_;
    Win32Display display_;
    Win32Network network_;
    Win32Multimedia multimedia_;
    Win32Power power_;
    Win32Processes processes_;
    Win32Printers printers_;
    Win32Services services_;
    Win32Automation automation_;
    Win32Mail mail_;
    Win32Shell shell_;
    Win32Windows windows_;
};

}  // namespace rb::platform
