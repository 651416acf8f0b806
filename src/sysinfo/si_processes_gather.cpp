// Gathering of the processes section: the process-status library's list of identifiers on NT 4,
// the tool-help snapshot everywhere else. On the NT family from Windows 2000 on the snapshot
// names only the file, so the full path is asked of the process itself (its image name first
// from Vista on).
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_processes.h"

namespace rb {
namespace {

// The section's prefix in the error list.
// This section's message deliberately has no separator: the text follows the name directly.
constexpr char kErrorPrefix[] = "TProcesses.GetInfo";

constexpr uint32_t kIdCapacity = 1025;
const char kIdleProcess[] = "System Idle Process";
const char kSystemProcess[] = "System Process";

void AddProcess(TProcesses& processes, uint32_t pid, std::string location) {
    auto& p = processes.AddItem<TProcess>();
    p.Pid = static_cast<int32_t>(pid);
    p.Location = std::move(location);
}

// NT 4: the identifiers from psapi, each named by its main module; the ones that cannot be
// opened are left out.
void EnumerateWithPsapi(TProcesses& processes, bool fullPath) {
    platform::ProcessesArea& area = platform::Current().Processes();
    const auto ids = area.ProcessIds(kIdCapacity);
    if (!ids) return;
    for (const uint32_t pid : *ids) {
        const std::string name = pid == 0   ? kIdleProcess
                                 : pid == 2 ? kSystemProcess
                                            : area.ModuleName(pid, fullPath);
        if (!name.empty()) AddProcess(processes, pid, name);
    }
}

std::string FileNamePart(const std::string& path) {
    const size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The NT family from 2000 on: the main module's path, or the image name a process that cannot be
// read still gives to a limited query (Vista and later), or at last the snapshot's file name.
// From NT 6 on the image name is asked first: a 32-bit program's module query cannot read a
// 64-bit process, and whether it then fails or answers something else is not to be relied on.
std::string NameOnNT(const platform::ProcessEntry& entry, bool fullPath, bool imageFirst) {
    platform::ProcessesArea& area = platform::Current().Processes();
    const auto imageName = [&]() -> std::string {
        const auto image = area.FullImageName(entry.processId);
        if (!image) return "";
        return fullPath ? *image : FileNamePart(*image);
    };
    std::string name = imageFirst ? imageName() : "";
    if (name.empty()) name = area.ModuleName(entry.processId, fullPath);
    if (name.empty() && !imageFirst) name = imageName();
    return name.empty() ? entry.exeFile : name;
}

void EnumerateWithSnapshot(TProcesses& processes, bool fullPath) {
    const auto entries = platform::Current().Processes().Snapshot();
    if (!entries) return;
    const platform::OsVersion v = RunningVersion();
    const bool ntFrom2000 = Facts().IsNT && v.major >= 5;
    const bool ntFromVista = Facts().IsNT && v.major >= 6;
    for (const platform::ProcessEntry& entry : *entries) {
        std::string name;
        if (entry.processId == 0) {
            name = kIdleProcess;
        } else if (ntFrom2000) {
            name = NameOnNT(entry, fullPath, ntFromVista);
        } else {
            name = fullPath ? entry.exeFile : FileNamePart(entry.exeFile);
        }
        AddProcess(processes, entry.processId, std::move(name));
    }
}

}  // namespace

void TProcesses::Enumerate(bool fullPath) {
    if (Facts().Kind == OsKind::WinNT4) {
        EnumerateWithPsapi(*this, fullPath);
    } else {
        EnumerateWithSnapshot(*this, fullPath);
    }
}

void TProcesses::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [&] {
        Clear();
        Enumerate(true);
        isNT_ = Facts().IsNT;
    });
}

}  // namespace rb
