#include "sysinfo/si_disk.h"

#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"

namespace rb {

const EnumInfo& DescribeEnum(TMediaType) {
    static const char* const names[] = {
        "dtUnknown", "dtNotExists", "dtRemovable", "dtFixed", "dtRemote", "dtCDROM", "dtRAMDisk",
    };
    static const EnumInfo info{"TMediaType", names, 7};
    return info;
}

const EnumInfo& DescribeEnum(TFileFlag) {
    static const char* const names[] = {
        "fsCaseIsPreserved",     "fsCaseSensitive",
        "fsUnicodeStoredOnDisk", "fsPersistentAcls",
        "fsFileCompression",     "fsVolumeIsCompressed",
        "fsLongFileNames",       "fsEncryptedFileSystemSupport",
        "fsObjectIDsSupport",    "fsReparsePointsSupport",
        "fsSparseFilesSupport",  "fsDiskQuotasSupport",
    };
    static const EnumInfo info{"TFileFlag", names, 12, "TFileFlags"};
    return info;
}

namespace {

// The drive letter is a short string: the writer sees a short-string property, and a longer
// text read back is cut the way such a string would cut it.
PropInfo DriveLetterProp() {
    PropInfo p = Prop<&TDisk::DriveLetter>("DriveLetter", "TDiskSign");
    p.kind = TypeKind::tkString;
    p.setStr = [](Persistent& o, std::string_view v) {
        static_cast<TDisk&>(o).SetDriveLetter(v);
    };
    return p;
}

// Volume flag and report line of each capability, in the set's order; a flag of 0 stands for
// the long-name test.
struct FileFlagRow {
    uint32_t flag;
    const char* line;
};
const FileFlagRow kFileFlags[] = {
    {0x2, "Case Is Preserved"},
    {0x1, "Case Sensitive"},
    {0x4, "Unicode Stored On Disk"},
    {0x8, "Persistent Acls"},
    {0x10, "File Compression"},
    {0x8000, "Volume Is Compressed"},
    {0, "Long Filenames"},
    {0x20000, "Encrypted File System Support"},
    {0x10000, "Object IDs Support"},
    {0x80, "Reparse Points Support"},
    {0x40, "Sparse Files Support"},
    {0x20, "Disk Quotas Support"},
};
constexpr uint32_t kLongNameLength = 255;

}  // namespace

std::string SerialText(uint32_t serial) {
    return Format("%04X-%04X", static_cast<unsigned>(serial >> 16),
                  static_cast<unsigned>(serial & 0xFFFF));
}

TFileFlags FileFlagsFrom(uint32_t fileSystemFlags, uint32_t maximumComponentLength) {
    TFileFlags flags;
    for (size_t i = 0; i < sizeof kFileFlags / sizeof kFileFlags[0]; ++i) {
        const uint32_t flag = kFileFlags[i].flag;
        const bool set = flag == 0 ? maximumComponentLength == kLongNameLength
                                   : (fileSystemFlags & flag) != 0;
        if (set) flags.Include(static_cast<TFileFlag>(i));
    }
    return flags;
}

const ClassInfo& TDisk::StaticClass() {
    using D = TDisk;
    static const ClassInfo info("TDisk", &TInfoProcessCollectionItem::StaticClass(),
                                {
                                    DriveLetterProp(),
                                    Prop<&D::FileFlags>("FileFlags"),
                                    Prop<&D::MediaType>("MediaType"),
                                    Prop<&D::UNCExpand>("UNCExpand"),
                                    Prop<&D::MediaPresent>("MediaPresent"),
                                    Prop<&D::FileSystem>("FileSystem"),
                                    Prop<&D::FreeClusters>("FreeClusters"),
                                    Prop<&D::TotalClusters>("TotalClusters"),
                                    Prop<&D::FreeSpace>("FreeSpace"),
                                    Prop<&D::Capacity>("Capacity"),
                                    Prop<&D::SerialNumber>("SerialNumber"),
                                    Prop<&D::VolumeLabel>("VolumeLabel"),
                                    Prop<&D::SectorsPerCluster>("SectorsPerCluster"),
                                    Prop<&D::BytesPerSector>("BytesPerSector"),
                                },
                                MakeInstance<TDisk>);
    return info;
}

void TDisk::SetDriveLetter(std::string_view letter) {
    DriveLetter = std::string(letter.substr(0, kDiskSignLength));
}

const ClassInfo& TDisks::StaticClass() {
    static const ClassInfo info("TDisks", &TInfoProcessCollection::StaticClass(), {},
                                MakeInstance<TDisks>);
    return info;
}

TDisks::TDisks(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TDisk::StaticClass()) {
    InfoName = "Discos";
}

void TDisks::Report(StringList& list) {
    list.Add("[Disks]");
    const char sep = platform::Current().System().Locale().thousandSeparator;
    for (int i = 0; i < Count(); ++i) {
        const TDisk& d = ItemAs<TDisk>(i);
        list.Add("[Disk" + d.DriveLetter + "]");
        list.Add("VolumeLabel=" + d.VolumeLabel);
        list.Add("Type=" + MediaTypeText(static_cast<uint32_t>(d.MediaType)));
        list.Add("UNC=" + d.ExpandUNC());
        list.Add("SerialNumber=" + d.SerialNumber);
        list.Add("Capacity=" + GroupedNumber(d.Capacity, sep));
        list.Add("FreeSpace=" + GroupedNumber(d.FreeSpace, sep));
        list.Add("BytesPerSector=" + IntToStr(d.BytesPerSector));
        list.Add("SectorPerCluster=" + IntToStr(d.SectorsPerCluster));
        list.Add("FreeClusters=" + GroupedNumber(d.FreeClusters, sep));
        list.Add("TotalClusters=" + GroupedNumber(d.TotalClusters, sep));
        list.Add("[Disk" + d.DriveLetter + "_Flags]");
        for (size_t f = 0; f < sizeof kFileFlags / sizeof kFileFlags[0]; ++f) {
            const bool on = d.FileFlags.Contains(static_cast<TFileFlag>(f));
            list.Add(Format("%s=%d", kFileFlags[f].line, on ? 1 : 0));
        }
    }
}

TDisk* TDisks::FindDisk(std::string_view letter) const {
    for (int i = 0; i < Count(); ++i) {
        auto& disk = ItemAs<TDisk>(i);
        if (disk.DriveLetter == letter) return &disk;
    }
    return nullptr;
}

}  // namespace rb
