// Storage: drives, their media and volumes, and files as wholes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rb::platform {

// GetDiskFreeSpaceA, and GetDiskFreeSpaceExA's byte counts where the system has that call.
struct DiskSpace {
    uint32_t sectorsPerCluster = 0;
    uint32_t bytesPerSector = 0;
    uint32_t freeClusters = 0;
    uint32_t totalClusters = 0;
    std::optional<uint64_t> freeBytes;   // available to the caller
    std::optional<uint64_t> totalBytes;
};

// GetVolumeInformationA.
struct VolumeData {
    std::string label;
    std::string fileSystem;
    uint32_t serialNumber = 0;
    uint32_t maximumComponentLength = 0;
    uint32_t fileSystemFlags = 0;
};

// One connected disk resource of WNetEnumResourceA ("F:" and "\\\\server\\share").
struct ConnectedResource {
    std::string localName;
    std::string remoteName;
};

// A file copy's outcome: copied, or the system's error code (0 when the platform does not know
// it).
struct FileCopy {
    bool copied = false;
    uint32_t error = 0;
};

class StorageArea {
public:
    virtual ~StorageArea() = default;

    // GetLogicalDriveStringsA: roots such as "C:\"; empty when the call fails.
    virtual std::vector<std::string> DriveStrings() = 0;
    // GetDriveTypeA's number: 0 unknown, 1 no root, 2 removable, 3 fixed, 4 remote, 5 CD-ROM,
    // 6 RAM disk.
    virtual uint32_t DriveKind(std::string_view root) = 0;
    // GetDiskFreeSpace on a drive root with critical-error boxes off: true when it answers.
    virtual bool DiskInDrive(std::string_view root) = 0;
    // Both free-space calls, critical-error boxes off; nullopt when the first fails.
    virtual std::optional<DiskSpace> FreeSpace(std::string_view root) = 0;
    virtual std::optional<VolumeData> Volume(std::string_view root) = 0;
    // GetFullPathNameA ("C:" gives the current directory on that drive); "" on failure.
    virtual std::string FullPathName(std::string_view path) = 0;
    // WNetGetUniversalNameA (universal form); nullopt when the path is not a network one.
    virtual std::optional<std::string> UniversalName(std::string_view path) = 0;
    // The connected disk resources (WNetOpenEnumA, WNetEnumResourceA, WNetCloseEnum), in the
    // order the system gives them; empty when the enumeration cannot be opened.
    virtual std::vector<ConnectedResource> ConnectedDiskResources() = 0;

    // Copies a file, replacing the target. (Portable default: byte copy.)
    virtual FileCopy CopyFileReplacing(std::string_view from, std::string_view to);
    // A file (not a folder) exists at `path`. (Portable default: it opens for reading.)
    virtual bool FileExists(std::string_view path);
};

}  // namespace rb::platform
