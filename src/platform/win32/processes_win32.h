// The real processes area (processes_win32.cpp).
#pragma once

#include "platform/processes.h"
#include "platform/win32/late_binding_win32.h"

namespace rb::platform {

class Win32Processes : public ProcessesArea {
public:
    bool PsapiAvailable() override;
    bool ToolHelpAvailable() override;
    std::optional<std::vector<uint32_t>> ProcessIds(uint32_t capacity) override;
    std::optional<std::vector<ProcessEntry>> Snapshot() override;
    std::string ModuleName(uint32_t processId, bool fullPath) override;
    std::optional<std::string> FullImageName(uint32_t processId) override;
    uint32_t CurrentProcessId() override;
    std::optional<bool> IsWow64(uint32_t processId) override;
    // Frees psapi when this program loaded it (one already in the process is only borrowed).
    void ReleaseLibraries() override;

private:
    win32::LateLibrary& Psapi();  // on first use

    bool psapiTried_ = false;
    win32::LateLibrary psapi_;
};

}  // namespace rb::platform
