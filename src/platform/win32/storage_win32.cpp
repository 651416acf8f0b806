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

void CloseEnum(HANDLE handle) {
    ::WNetCloseEnum(handle);
}
using NetEnumHandle = win32::UniqueHandle<HANDLE, CloseEnum>;

}  // namespace

// The strings fit 255 characters on any usual machine; when the system asks for more, the
// buffer grows to its answer instead of losing every drive.
std::vector<std::string> Win32Storage::DriveStrings() {
    std::vector<char> buffer(256, '\0');
    DWORD length = ::GetLogicalDriveStringsA(255, buffer.data());
    if (length > 255) {
        buffer.assign(length + 1, '\0');
        length = ::GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length >= buffer.size()) return {};
    }
    std::vector<std::string> roots;
    // "A:\\\0C:\\\0\0"
    const char* end = buffer.data() + length;
    for (const char* root = buffer.data(); root < end && *root; root += strlen(root) + 1) {
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

// The enumeration starts with a 1600-byte buffer and grows it when the system asks for more.
std::vector<ConnectedResource> Win32Storage::ConnectedDiskResources() {
    std::vector<ConnectedResource> resources;
    NetEnumHandle handle;
    if (::WNetOpenEnumA(RESOURCE_CONNECTED, RESOURCETYPE_DISK, 0, nullptr, handle.Put()) !=
        NO_ERROR) {
        return resources;
    }
    std::vector<NETRESOURCEA> buffer(1600 / sizeof(NETRESOURCEA) + 1);
    for (;;) {
        DWORD count = 1;
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(NETRESOURCEA));
        const DWORD result = ::WNetEnumResourceA(handle.Get(), &count, buffer.data(), &size);
        if (result == ERROR_MORE_DATA) {
            buffer.resize(size / sizeof(NETRESOURCEA) + 1);
            continue;
        }
        if (result != NO_ERROR || count == 0) break;
        const NETRESOURCEA& r = buffer[0];
        resources.push_back({r.lpLocalName ? r.lpLocalName : "",
                             r.lpRemoteName ? r.lpRemoteName : ""});
    }
    return resources;
}

// The system's copy keeps the file's attributes and times, as a copy made by the shell would.
FileCopy Win32Storage::CopyFileReplacing(std::string_view from, std::string_view to) {
    const std::string source(from);
    const std::string target(to);
    if (::CopyFileA(source.c_str(), target.c_str(), FALSE)) return {true, 0};
    return {false, ::GetLastError()};
}

bool Win32Storage::FileExists(std::string_view path) {
    const std::string name(path);
    const DWORD attributes = ::GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace rb::platform
