// The platform layer over the real Windows calls.
#pragma once

#include "platform/platform.h"
#include "platform/win32/handles_win32.h"  // also removes <windows.h> macros named like members
#include "platform/win32/registry_win32.h"

namespace rb::platform {

class Win32Platform : public Platform {
public:
    Registry& Reg() override { return registry_; }

    OsVersion Version() override;
    uint32_t TickCount() override;
    std::string ComputerName() override;
    std::string UserName() override;
    std::vector<std::string> EnvironmentStrings() override;
    std::string EnvironmentVariable(std::string_view name) override;
    std::string ModuleFileName() override;
    std::string TempPath() override;
    LocaleFormats Locale() override;
    bool DiskInDrive(std::string_view root) override;
    std::optional<FileVersion> FileVersionInfo(std::string_view file) override;
    bool CopyFile(std::string_view from, std::string_view to) override;
    std::unique_ptr<Module> LoadModule(std::string_view name, bool onlyIfLoaded) override;

    // platform_shell_win32.cpp
    std::string SpecialFolder(int csidl) override;
    int32_t ResolveShortcut(std::string_view file, std::string& target,
                            std::string& arguments) override;
    void ShellChangeNotify(int32_t event, uint32_t flags) override;
    bool ShowFileProperties(uintptr_t window, std::string_view file) override;
    std::array<uint8_t, 16> NewGuid() override;
    int MessageBox(std::string_view text, std::string_view caption, uint32_t flags) override;

    // platform_cpu_win32.cpp
    CpuidRegisters Cpuid(uint32_t leaf) override;
    uint64_t TimeStampCounter() override;
    std::optional<int64_t> PerformanceFrequency() override;
    int64_t PerformanceCounter() override;
    std::optional<int> ThreadPriority() override;
    void SetThreadPriority(int priority) override;
    uint32_t ProcessorCount() override;

    // platform_system_win32.cpp
    double Now() override;
    TimeZoneInfo TimeZone() override;
    std::string WindowsDirectory() override;
    std::string SystemDirectory() override;
    MemoryStatus GlobalMemory() override;
    std::optional<MemoryStatus> GlobalMemoryEx() override;
    AddressSpaceInfo AddressSpace() override;
    std::array<uint8_t, 256> KeyboardState() override;
    std::optional<std::vector<uint8_t>> ReadBiosArea(uint32_t address, uint32_t length) override;

private:
    Win32Registry registry_;
};

}  // namespace rb::platform
