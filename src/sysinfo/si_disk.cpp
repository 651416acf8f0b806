#include "sysinfo/si_disk.h"

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
    p.setStr = [](Persistent& o, const std::string& v) {
        static_cast<TDisk&>(o).SetDriveLetter(v);
    };
    return p;
}

}  // namespace

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

void TDisk::GetInfo() {}

const ClassInfo& TDisks::StaticClass() {
    static const ClassInfo info("TDisks", &TInfoProcessCollection::StaticClass(), {},
                                MakeInstance<TDisks>);
    return info;
}

TDisks::TDisks(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TDisk::StaticClass()) {
    InfoName = "Discos";
}

void TDisks::GetInfo() {}

void TDisks::Report(StringList& list) {
    list.Add("[Disks]");
}

TDisk* TDisks::FindDisk(std::string_view letter) const {
    for (int i = 0; i < Count(); ++i) {
        auto& disk = ItemAs<TDisk>(i);
        if (disk.DriveLetter == letter) return &disk;
    }
    return nullptr;
}

}  // namespace rb
