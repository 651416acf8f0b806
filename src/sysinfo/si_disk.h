// The disks section: every logical drive with its type, volume data, file-system capabilities
// and space figures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/set.h"
#include "sysinfo/section_base.h"

namespace rb {

// Ordinal n is the drive type n of GetDriveTypeA.
enum class TMediaType : uint8_t {
    dtUnknown,
    dtNotExists,
    dtRemovable,
    dtFixed,
    dtRemote,
    dtCDROM,
    dtRAMDisk
};
const EnumInfo& DescribeEnum(TMediaType);

enum class TFileFlag : uint8_t {
    fsCaseIsPreserved,
    fsCaseSensitive,
    fsUnicodeStoredOnDisk,
    fsPersistentAcls,
    fsFileCompression,
    fsVolumeIsCompressed,
    fsLongFileNames,
    fsEncryptedFileSystemSupport,
    fsObjectIDsSupport,
    fsReparsePointsSupport,
    fsSparseFilesSupport,
    fsDiskQuotasSupport
};
const EnumInfo& DescribeEnum(TFileFlag);
using TFileFlags = Set<TFileFlag>;

constexpr size_t kDiskSignLength = 2;  // the drive letter's short string: "C:"

// Decoding of the system's answers.
// The serial as eight upper-case hexadecimal digits split 4-4 ("0001-ABCD").
std::string SerialText(uint32_t serial);
// The capability set of a volume's flags; long names only at a component length of exactly 255.
TFileFlags FileFlagsFrom(uint32_t fileSystemFlags, uint32_t maximumComponentLength);

class TDisk : public TInfoProcessCollectionItem {
    RB_PERSISTENT_CLASS
public:
    using TInfoProcessCollectionItem::TInfoProcessCollectionItem;
    void GetInfo() override;

    // Cut to kDiskSignLength characters, as the short string the XML holds.
    void SetDriveLetter(std::string_view letter);
    std::string DisplayName() const { return DriveLetter; }
    // The drive's full path, in its network form for a network drive (si_disk_gather.cpp).
    std::string ExpandUNC() const;

    std::string DriveLetter;  // upper-case letter and ":"
    TFileFlags FileFlags;
    TMediaType MediaType = TMediaType::dtUnknown;
    std::string UNCExpand;
    bool MediaPresent = false;
    std::string FileSystem;
    uint32_t FreeClusters = 0;
    uint32_t TotalClusters = 0;
    int64_t FreeSpace = 0;  // bytes available to the user
    int64_t Capacity = 0;
    std::string SerialNumber;  // "1A2B-3C4D"
    std::string VolumeLabel;
    uint32_t SectorsPerCluster = 0;
    uint32_t BytesPerSector = 0;
};

class TDisks : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TDisks(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    // The first disk whose DriveLetter equals `letter` exactly; nullptr when none.
    TDisk* FindDisk(std::string_view letter) const;
};

}  // namespace rb
