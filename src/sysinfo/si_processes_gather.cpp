// Gathering of the processes section: the process-status library's list of identifiers on NT 4,
// the tool-help snapshot everywhere else. On the NT family from Windows 2000 on the snapshot
// names only the file, so the full path is asked of the process itself.
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_processes.h"

namespace rb {
namespace {

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
std::string NameOnNT(const platform::ProcessEntry& entry, bool fullPath) {
    platform::ProcessesArea& area = platform::Current().Processes();
    std::string name = area.ModuleName(entry.processId, fullPath);
    if (name.empty()) {
        if (const auto image = area.FullImageName(entry.processId)) {
            name = fullPath ? *image : FileNamePart(*image);
        }
    }
    return name.empty() ? entry.exeFile : name;
}

void EnumerateWithSnapshot(TProcesses& processes, bool fullPath) {
    const auto entries = platform::Current().Processes().Snapshot();
    if (!entries) return;
    const platform::OsVersion v = RunningVersion();
    const bool ntFrom2000 = Facts().IsNT && v.major >= 5;
    for (const platform::ProcessEntry& entry : *entries) {
        std::string name;
        if (entry.processId == 0) {
            name = kIdleProcess;
        } else if (ntFrom2000) {
            name = NameOnNT(entry, fullPath);
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
    GatherGuarded(ErrorList(), "TProcesses.GetInfo", [&] {
        Clear();
        Enumerate(true);
        isNT_ = Facts().IsNT;
    });
}

}  // namespace rb
