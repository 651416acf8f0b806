// The drives as the system lists them: type, medium, space and volume of each, and the
// expansion of a network drive to its universal name. A drive that fails is recorded and the
// walk goes on with the next one.
#include <cctype>

#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_disk.h"

namespace rb {
namespace {

// The section's error prefixes, as the error list shows them.
constexpr char kErrorPrefix[] = "TDisks.GetInfo: ";
constexpr char kDiskErrorPrefix[] = "TDisk.SetDisk: ";

platform::StorageArea& Storage() {
    return platform::Current().Storage();
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Windows 95, 98 and ME have no universal names: the drive's connected resource gives it.
std::string ExpandFromConnections(const std::string& path) {
    for (const platform::ConnectedResource& r : Storage().ConnectedDiskResources()) {
        if (!r.localName.empty() && std::toupper(static_cast<unsigned char>(r.localName[0])) ==
                                        std::toupper(static_cast<unsigned char>(path[0]))) {
            return r.remoteName + path.substr(2);
        }
    }
    return path;
}

}  // namespace

std::string TDisk::ExpandUNC() const {
    const std::string path = Storage().FullPathName(DriveLetter);
    if (path.size() <= 2 || !IsLetter(path[0]) || path[1] != ':') return path;
    const SystemFacts& f = Facts();
    if (f.IsNT || f.IsWin2K || f.IsXP) return Storage().UniversalName(path).value_or(path);
    return path[2] == '\\' ? ExpandFromConnections(path) : path;
}

void TDisk::GetInfo() {
    GatherGuarded(ErrorList(), kDiskErrorPrefix, [this] {
        const std::string root = DriveLetter + "\\";
        const uint32_t kind = Storage().DriveKind(root);
        if (kind <= static_cast<uint32_t>(TMediaType::dtRAMDisk)) {
            MediaType = static_cast<TMediaType>(kind);
        }
        // A drive that does not answer (an empty floppy, a network drive whose server is gone)
        // is listed with zero figures.
        MediaPresent = DiskInDrive(root);
        const auto space = MediaPresent ? Storage().FreeSpace(root) : std::nullopt;
        const auto volume = space ? Storage().Volume(root) : std::nullopt;
        const platform::DiskSpace s = space.value_or(platform::DiskSpace{});
        SectorsPerCluster = s.sectorsPerCluster;
        BytesPerSector = s.bytesPerSector;
        FreeClusters = s.freeClusters;
        TotalClusters = s.totalClusters;
        const int64_t cluster = int64_t{s.bytesPerSector} * s.sectorsPerCluster;
        FreeSpace = static_cast<int64_t>(s.freeBytes.value_or(cluster * s.freeClusters));
        Capacity = static_cast<int64_t>(s.totalBytes.value_or(cluster * s.totalClusters));
        VolumeLabel = volume ? volume->label : "";
        FileSystem = volume ? volume->fileSystem : "";
        SerialNumber = volume ? SerialText(volume->serialNumber) : "";
        FileFlags = volume ? FileFlagsFrom(volume->fileSystemFlags, volume->maximumComponentLength)
                           : TFileFlags{};
        UNCExpand = ExpandUNC();
    });
}

void TDisks::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [this] {
        const std::vector<std::string> roots = Storage().DriveStrings();
        Clear();
        for (const std::string& root : roots) {
            for (const char c : root) {
                if (!IsLetter(c)) continue;
                auto& disk = AddItem<TDisk>();
                disk.SetDriveLetter(
                    std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(c)))) +
                    ":");
                disk.GetInfo();
            }
        }
    });
}

}  // namespace rb
