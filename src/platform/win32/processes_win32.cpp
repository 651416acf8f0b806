// The processes area: psapi (NT 4 and later) and the tool-help snapshot of kernel32 (Windows
// 95/98/ME, 2000 and later), both bound at run time since each is missing on one family.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/platform_win32.h"

namespace rb::platform {
namespace {

constexpr DWORD kQueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;  // 0x410
constexpr DWORD kQueryLimited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION (Vista)

using QueryFullProcessImageNameFn = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

win32::KernelHandle OpenForQuery(uint32_t processId, DWORD access) {
    return win32::KernelHandle(::OpenProcess(access, FALSE, processId));
}

}  // namespace

// "psapi.dll" is taken if already loaded, or else loaded; it counts when EnumProcesses is there.
const Win32Processes::Psapi& Win32Processes::LoadPsapi() {
    if (psapiTried_) return psapi_;
    psapiTried_ = true;
    psapi_.library = win32::Library::Load("psapi.dll");
    psapi_.enumProcesses = psapi_.library.Entry<Psapi::EnumProcessesFn>("EnumProcesses");
    psapi_.baseName = psapi_.library.Entry<Psapi::ModuleNameFn>("GetModuleBaseNameA");
    psapi_.fileName = psapi_.library.Entry<Psapi::ModuleNameFn>("GetModuleFileNameExA");
    return psapi_;
}

const Win32Processes::ToolHelp& Win32Processes::LoadToolHelp() {
    if (toolHelpTried_) return toolHelp_;
    toolHelpTried_ = true;
    const win32::Library kernel = win32::Library::Present("kernel32.dll");
    toolHelp_.snapshot = kernel.Entry<ToolHelp::SnapshotFn>("CreateToolhelp32Snapshot");
    toolHelp_.first = kernel.Entry<ToolHelp::WalkFn>("Process32First");
    toolHelp_.next = kernel.Entry<ToolHelp::WalkFn>("Process32Next");
    return toolHelp_;
}

bool Win32Processes::PsapiAvailable() { return LoadPsapi().enumProcesses != nullptr; }

bool Win32Processes::ToolHelpAvailable() { return LoadToolHelp().snapshot != nullptr; }

std::optional<std::vector<uint32_t>> Win32Processes::ProcessIds(uint32_t capacity) {
    const Psapi& psapi = LoadPsapi();
    if (!psapi.enumProcesses || capacity == 0) return std::nullopt;
    std::vector<DWORD> ids(capacity);
    DWORD bytes = 0;
    if (!psapi.enumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) {
        return std::nullopt;
    }
    const size_t count = std::min<size_t>(bytes / sizeof(DWORD), ids.size());
    return std::vector<uint32_t>(ids.begin(), ids.begin() + count);
}

std::optional<std::vector<ProcessEntry>> Win32Processes::Snapshot() {
    const ToolHelp& help = LoadToolHelp();
    if (!help.snapshot || !help.first || !help.next) return std::nullopt;
    const win32::FileHandle snapshot(help.snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return std::nullopt;
    std::vector<ProcessEntry> entries;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = help.first(snapshot.Get(), &entry); more;
         more = help.next(snapshot.Get(), &entry)) {
        ProcessEntry e;
        e.processId = entry.th32ProcessID;
        e.parentProcessId = entry.th32ParentProcessID;
        e.threads = entry.cntThreads;
        e.basePriority = entry.pcPriClassBase;
        e.exeFile.assign(entry.szExeFile, strnlen(entry.szExeFile, sizeof(entry.szExeFile)));
        entries.push_back(std::move(e));
        entry.dwSize = sizeof(entry);
    }
    return entries;
}

std::string Win32Processes::ModuleName(uint32_t processId, bool fullPath) {
    const Psapi& psapi = LoadPsapi();
    const Psapi::ModuleNameFn call = fullPath ? psapi.fileName : psapi.baseName;
    if (!call) return std::string();
    const win32::KernelHandle process = OpenForQuery(processId, kQueryAndRead);
    if (!process) return std::string();
    char name[MAX_PATH] = {};
    const DWORD length = call(process.Get(), nullptr, name, MAX_PATH);
    if (length == 0) return std::string();
    return std::string(name, strnlen(name, MAX_PATH));
}

std::optional<std::string> Win32Processes::FullImageName(uint32_t processId) {
    const auto query = win32::SystemEntry<QueryFullProcessImageNameFn>(
        "kernel32.dll", "QueryFullProcessImageNameA");
    if (!query) return std::nullopt;
    const win32::KernelHandle process = OpenForQuery(processId, kQueryLimited);
    if (!process) return std::nullopt;
    char name[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!query(process.Get(), 0, name, &size)) return std::nullopt;
    return std::string(name, std::min<DWORD>(size, MAX_PATH));
}

std::optional<bool> Win32Processes::IsWow64(uint32_t processId) {
    const auto query = win32::SystemEntry<IsWow64ProcessFn>("kernel32.dll", "IsWow64Process");
    if (!query) return std::nullopt;
    const win32::KernelHandle process = OpenForQuery(processId, PROCESS_QUERY_INFORMATION);
    if (!process) return std::nullopt;
    BOOL wow64 = FALSE;
    if (!query(process.Get(), &wow64)) return std::nullopt;
    return wow64 != FALSE;
}

void Win32Processes::ReleaseLibraries() {
    psapi_ = Psapi();
    psapiTried_ = false;
}

}  // namespace rb::platform
