// Processes: the tool-help snapshot (Windows 95/98/ME, 2000 and later) and the process-status
// library (NT 4 and later), both loaded at run time since each is missing on one family.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rb::platform {

// One entry of the tool-help process snapshot.
struct ProcessEntry {
    uint32_t processId = 0;
    uint32_t parentProcessId = 0;
    uint32_t threads = 0;
    int32_t basePriority = 0;
    std::string exeFile;  // as the snapshot gives it: a full path on 95/98/ME, a name on NT
};

class ProcessesArea {
public:
    virtual ~ProcessesArea() = default;

    // The process-status library is there with its EnumProcesses (loaded on first use).
    virtual bool PsapiAvailable() = 0;
    // kernel32 has the tool-help snapshot.
    virtual bool ToolHelpAvailable() = 0;
    // EnumProcesses (up to `capacity` identifiers); nullopt when it fails or psapi is missing.
    virtual std::optional<std::vector<uint32_t>> ProcessIds(uint32_t capacity) = 0;
    // The tool-help walk of the processes; nullopt when there is no snapshot.
    virtual std::optional<std::vector<ProcessEntry>> Snapshot() = 0;
    // The main module's name of a process (GetModuleFileNameExA when `fullPath`, otherwise
    // GetModuleBaseNameA); "" when the process cannot be opened or the call answers nothing.
    virtual std::string ModuleName(uint32_t processId, bool fullPath) = 0;
    // QueryFullProcessImageNameA (Vista and later); nullopt where it is missing or fails.
    virtual std::optional<std::string> FullImageName(uint32_t processId) = 0;
    // GetCurrentProcessId.
    virtual uint32_t CurrentProcessId() = 0;
    // IsWow64Process; nullopt where the call is missing or fails.
    virtual std::optional<bool> IsWow64(uint32_t processId) = 0;
    // Lets the process-status library go (program end); a later question loads it again.
    virtual void ReleaseLibraries() = 0;
};

}  // namespace rb::platform
