// The simulated drives: one record per root, filled by the test.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/storage.h"

namespace rb::platform {

class SimStorage : public StorageArea {
public:
    struct Drive {
        uint32_t kind = 3;  // fixed
        std::optional<DiskSpace> space;  // none: no medium (DiskInDrive answers false)
        std::optional<VolumeData> volume;
        std::optional<std::string> universalName;
    };
    // By root ("C:\"), in the order DriveStrings gives them.
    std::map<std::string, Drive> drives;
    std::map<std::string, std::string> fullPathNames;
    std::vector<ConnectedResource> connected;
    std::vector<std::string> files;  // the files FileExists finds (compared without case)

    std::vector<std::string> DriveStrings() override;
    uint32_t DriveKind(std::string_view root) override;
    bool DiskInDrive(std::string_view root) override;
    std::optional<DiskSpace> FreeSpace(std::string_view root) override;
    std::optional<VolumeData> Volume(std::string_view root) override;
    std::string FullPathName(std::string_view path) override;
    std::optional<std::string> UniversalName(std::string_view path) override;
    std::vector<ConnectedResource> ConnectedDiskResources() override { return connected; }
    bool FileExists(std::string_view path) override;

private:
    const Drive* Find(std::string_view root) const;
};

}  // namespace rb::platform
