#include "platform/sim/sim_storage.h"

#include "core/text.h"

namespace rb::platform {

const SimStorage::Drive* SimStorage::Find(std::string_view root) const {
    for (const auto& [name, drive] : drives) {
        if (SameText(name, root)) return &drive;
    }
    return nullptr;
}

bool SimStorage::FileExists(std::string_view path) {
    for (const std::string& file : files) {
        if (SameText(file, path)) return true;
    }
    return false;
}

std::vector<std::string> SimStorage::DriveStrings() {
    std::vector<std::string> roots;
    for (const auto& entry : drives) roots.push_back(entry.first);
    return roots;
}

uint32_t SimStorage::DriveKind(std::string_view root) {
    const Drive* drive = Find(root);
    return drive ? drive->kind : 1;  // no such root directory
}

bool SimStorage::DiskInDrive(std::string_view root) {
    const Drive* drive = Find(root);
    return drive && drive->space;
}

std::optional<DiskSpace> SimStorage::FreeSpace(std::string_view root) {
    const Drive* drive = Find(root);
    return drive ? drive->space : std::nullopt;
}

std::optional<VolumeData> SimStorage::Volume(std::string_view root) {
    const Drive* drive = Find(root);
    return drive && drive->space ? drive->volume : std::nullopt;
}

std::string SimStorage::FullPathName(std::string_view path) {
    for (const auto& [name, full] : fullPathNames) {
        if (SameText(name, path)) return full;
    }
    return std::string(path);
}

std::optional<std::string> SimStorage::UniversalName(std::string_view path) {
    if (path.size() < 2) return std::nullopt;
    const Drive* drive = Find(std::string(path.substr(0, 2)) + "\\");
    if (!drive || !drive->universalName) return std::nullopt;
    return *drive->universalName + std::string(path.substr(2));
}

}  // namespace rb::platform
