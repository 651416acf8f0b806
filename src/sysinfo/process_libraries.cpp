// The process-enumeration entry points: psapi on NT 4, tool help (kernel32) elsewhere. Neither
// may be linked statically, since each is missing on one of the two families.
#include <iterator>

#include "core/text.h"
#include "sysinfo/routines.h"

namespace rb {
namespace {

const char* const kPsapiNames[] = {
    "EnumProcesses",
    "EnumProcessModules",
    "GetModuleBaseNameA",
    "GetModuleFileNameExA",
    "GetModuleInformation",
    "EmptyWorkingSet",
    "QueryWorkingSet",
    "InitializeProcessForWsWatch",
    "GetWsChanges",
    "GetMappedFileNameA",
    "EnumDeviceDrivers",
    "GetDeviceDriverBaseNameA",
    "GetDeviceDriverFileNameA",
    "GetProcessMemoryInfo",
};
static_assert(sizeof kPsapiNames / sizeof kPsapiNames[0] ==
              static_cast<size_t>(PsapiEntry::Count));

const char* const kToolHelpNames[] = {
    "CreateToolhelp32Snapshot",
    "Heap32ListFirst",
    "Heap32ListNext",
    "Heap32First",
    "Heap32Next",
    "Toolhelp32ReadProcessMemory",
    "Process32First",
    "Process32Next",
    "Process32FirstW",
    "Process32NextW",
    "Thread32First",
    "Thread32Next",
    "Module32First",
    "Module32Next",
    "Module32FirstW",
    "Module32NextW",
};
static_assert(sizeof kToolHelpNames / sizeof kToolHelpNames[0] ==
              static_cast<size_t>(ToolHelpEntry::Count));

std::vector<void*> LookUp(const platform::Module& module, const char* const* names, size_t count) {
    std::vector<void*> entries(count);
    for (size_t i = 0; i < count; ++i) entries[i] = module.Symbol(names[i]);
    return entries;
}

}  // namespace

ProcessLibraries::ProcessLibraries() = default;
ProcessLibraries::~ProcessLibraries() = default;

ProcessLibraries& ProcessLibraries::Shared() {
    static ProcessLibraries libraries;
    return libraries;
}

const char* ProcessLibraries::Name(PsapiEntry entry) {
    return kPsapiNames[static_cast<size_t>(entry)];
}

const char* ProcessLibraries::Name(ToolHelpEntry entry) {
    return kToolHelpNames[static_cast<size_t>(entry)];
}

// What was loaded belongs to the platform that was current then; a test's new platform starts
// afresh.
void ProcessLibraries::Refresh() {
    if (generation_ == platform::Generation()) return;
    psapi_ = Library();
    toolHelp_ = Library();
    generation_ = platform::Generation();
}

void ProcessLibraries::LoadPsapi() {
    Refresh();
    if (psapi_.tried) return;
    psapi_.tried = true;
    platform::SystemArea& p = platform::Current().System();
    psapi_.module = p.LoadModule("psapi.dll", true);
    if (!psapi_.module) psapi_.module = p.LoadModule("psapi.dll", false);
    if (!psapi_.module) return;
    try {
        psapi_.entries = LookUp(*psapi_.module, kPsapiNames, std::size(kPsapiNames));
    } catch (const std::exception&) {
        const uintptr_t handle = psapi_.module->Handle();
        psapi_.module.reset();
        throw Exception(Format("Unload Error: psapi.dll (%08X)", static_cast<unsigned>(handle)));
    }
}

void ProcessLibraries::LoadToolHelp() {
    Refresh();
    if (toolHelp_.tried) return;
    toolHelp_.tried = true;
    toolHelp_.module = platform::Current().System().LoadModule("kernel32.dll", true);
    if (toolHelp_.module) {
        toolHelp_.entries = LookUp(*toolHelp_.module, kToolHelpNames, std::size(kToolHelpNames));
    }
}

bool ProcessLibraries::PsapiAvailable() { return Psapi(PsapiEntry::EnumProcesses) != nullptr; }

bool ProcessLibraries::ToolHelpAvailable() {
    return ToolHelp(ToolHelpEntry::CreateToolhelp32Snapshot) != nullptr;
}

void* ProcessLibraries::Psapi(PsapiEntry entry) {
    LoadPsapi();
    if (!psapi_.module || psapi_.entries.empty()) return nullptr;
    return psapi_.entries[static_cast<size_t>(entry)];
}

void* ProcessLibraries::ToolHelp(ToolHelpEntry entry) {
    LoadToolHelp();
    if (!toolHelp_.module || toolHelp_.entries.empty()) return nullptr;
    return toolHelp_.entries[static_cast<size_t>(entry)];
}

void ProcessLibraries::Release() {
    psapi_ = Library();
}

}  // namespace rb
