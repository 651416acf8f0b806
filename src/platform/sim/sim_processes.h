// The simulated processes: which library each family has, and the answers about each process.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace rb::platform {

class SimProcesses : public ProcessesArea {
public:
    bool hasPsapi = false;     // NT 4 and later
    bool hasToolHelp = false;  // Windows 95/98/ME, 2000 and later
    std::vector<uint32_t> processIds;
    std::vector<ProcessEntry> snapshot;
    struct Names {
        std::string baseName, fullPath;
        std::optional<std::string> imageName;  // QueryFullProcessImageNameA
        std::optional<bool> wow64;
    };
    std::map<uint32_t, Names> processes;  // a process not listed cannot be opened
    uint32_t currentProcessId = 0x4D2;
    int psapiLoads = 0;   // how often the library was loaded
    int releases = 0;

    bool PsapiAvailable() override { return Psapi(); }
    bool ToolHelpAvailable() override { return hasToolHelp; }
    std::optional<std::vector<uint32_t>> ProcessIds(uint32_t capacity) override {
        if (!Psapi()) return std::nullopt;
        std::vector<uint32_t> ids = processIds;
        if (ids.size() > capacity) ids.resize(capacity);
        return ids;
    }
    std::optional<std::vector<ProcessEntry>> Snapshot() override {
        if (!hasToolHelp) return std::nullopt;
        return snapshot;
    }
    std::string ModuleName(uint32_t processId, bool fullPath) override {
        const auto it = processes.find(processId);
        if (!Psapi() || it == processes.end()) return "";
        return fullPath ? it->second.fullPath : it->second.baseName;
    }
    std::optional<std::string> FullImageName(uint32_t processId) override {
        const auto it = processes.find(processId);
        return it == processes.end() ? std::nullopt : it->second.imageName;
    }
    uint32_t CurrentProcessId() override { return currentProcessId; }
    std::optional<bool> IsWow64(uint32_t processId) override {
        const auto it = processes.find(processId);
        return it == processes.end() ? std::nullopt : it->second.wow64;
    }
    void ReleaseLibraries() override {
        if (loaded_) ++releases;
        loaded_ = false;
    }

private:
    bool Psapi() {
        if (hasPsapi && !loaded_) {
            loaded_ = true;
            ++psapiLoads;
        }
        return hasPsapi;
    }
    bool loaded_ = false;
};

}  // namespace rb::platform
