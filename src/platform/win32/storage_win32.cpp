// kernel32 and mpr questions about drives, volumes and files. Every question on a drive runs
// with critical-error boxes off, so an empty floppy or CD drive answers instead of asking.
#include <windows.h>
#include <winnetwk.h>

#include <cstring>

#include "platform/win32/handles_win32.h"
#include "platform/win32/late_binding_win32.h"
#include "platform/win32/platform_win32.h"

namespace rb::platform {
namespace {

using DiskFreeSpaceExFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                        PULARGE_INTEGER);

std::string Text(const char* buffer, size_t size) {
    return std::string(buffer, strnlen(buffer, size));
}

}  // namespace

std::vector<std::string> Win32Storage::DriveStrings() {
    char buffer[256] = {};
    const DWORD length = ::GetLogicalDriveStringsA(255, buffer);
    std::vector<std::string> roots;
    if (length == 0 || length > 255) return roots;
    // "A:\\\0C:\\\0\0"
    for (const char* root = buffer; root < buffer + length && *root; root += strlen(root) + 1) {
        roots.emplace_back(root);
    }
    return roots;
}

uint32_t Win32Storage::DriveKind(std::string_view root) {
    const std::string path(root);
    return ::GetDriveTypeA(path.c_str());
}

bool Win32Storage::DiskInDrive(std::string_view root) {
    const std::string path(root);
    const win32::ErrorModeScope quiet(SEM_FAILCRITICALERRORS);
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    return ::GetDiskFreeSpaceA(path.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                               &totalClusters) != FALSE;
}

// GetDiskFreeSpaceExA is looked up: the first Windows 95 has only the older call.
std::optional<DiskSpace> Win32Storage::FreeSpace(std::string_view root) {
    const std::string path(root);
    const win32::ErrorModeScope quiet(SEM_FAILCRITICALERRORS);
    DiskSpace space;
    DWORD sectors = 0, bytes = 0, free = 0, total = 0;
    if (!::GetDiskFreeSpaceA(path.c_str(), &sectors, &bytes, &free, &total)) return std::nullopt;
    space.sectorsPerCluster = sectors;
    space.bytesPerSector = bytes;
    space.freeClusters = free;
    space.totalClusters = total;
    const auto ex = win32::SystemEntry<DiskFreeSpaceExFn>("kernel32.dll", "GetDiskFreeSpaceExA");
    ULARGE_INTEGER available{}, capacity{}, ignored{};
    if (ex && ex(path.c_str(), &available, &capacity, &ignored)) {
        space.freeBytes = available.QuadPart;
        space.totalBytes = capacity.QuadPart;
    }
    return space;
}

std::optional<VolumeData> Win32Storage::Volume(std::string_view root) {
    const std::string path(root);
    const win32::ErrorModeScope quiet(SEM_FAILCRITICALERRORS);
    char label[256] = {};
    char fileSystem[256] = {};
    DWORD serial = 0, component = 0, flags = 0;
    if (!::GetVolumeInformationA(path.c_str(), label, 255, &serial, &component, &flags,
                                 fileSystem, 255)) {
        return std::nullopt;
    }
    return VolumeData{Text(label, sizeof label), Text(fileSystem, sizeof fileSystem), serial,
                      component, flags};
}

std::string Win32Storage::FullPathName(std::string_view path) {
    const std::string name(path);
    char buffer[MAX_PATH] = {};
    char* filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(name.c_str(), MAX_PATH, buffer, &filePart);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return std::string(buffer, length);
}

std::optional<std::string> Win32Storage::UniversalName(std::string_view path) {
    const std::string name(path);
    alignas(UNIVERSAL_NAME_INFOA) char buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (::WNetGetUniversalNameA(name.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer, &size) !=
        NO_ERROR) {
        return std::nullopt;
    }
    const auto* info = reinterpret_cast<const UNIVERSAL_NAME_INFOA*>(buffer);
    if (!info->lpUniversalName) return std::nullopt;
    return std::string(info->lpUniversalName);
}

// The system's copy keeps the file's attributes and times, as a copy made by the shell would.
bool Win32Storage::CopyFileReplacing(std::string_view from, std::string_view to) {
    const std::string source(from);
    const std::string target(to);
    return ::CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
}

}  // namespace rb::platform
