// Processes through the libraries each family has: the process-status library (psapi, NT 4 and
// later) and the tool-help snapshot of kernel32 (Windows 95/98/ME, 2000 and later). Both are
// bound at run time, as are the calls of later systems (IsWow64Process,
// QueryFullProcessImageNameA).
#include <windows.h>
#include <tlhelp32.h>

#include "platform/win32/processes_win32.h"

namespace rb::platform {
namespace {

using EnumProcessesFn = BOOL WINAPI(DWORD*, DWORD, DWORD*);
using ModuleNameFn = DWORD WINAPI(HANDLE, HMODULE, LPSTR, DWORD);
using SnapshotFn = HANDLE WINAPI(DWORD, DWORD);
using ProcessWalkFn = BOOL WINAPI(HANDLE, PROCESSENTRY32*);
using IsWow64Fn = BOOL WINAPI(HANDLE, BOOL*);
using ImageNameFn = BOOL WINAPI(HANDLE, DWORD, LPSTR, DWORD*);

constexpr DWORD kQueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;  // 0x410
constexpr DWORD kQueryLimited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION (Vista)
constexpr DWORD kNameBuffer = MAX_PATH;

win32::LateLibrary Kernel32() { return win32::LateLibrary("kernel32.dll", false); }

}  // namespace

win32::LateLibrary& Win32Processes::Psapi() {
    if (!psapiTried_) {
        psapiTried_ = true;
        psapi_ = win32::LateLibrary("psapi.dll", true);
    }
    return psapi_;
}

bool Win32Processes::PsapiAvailable() {
    return Psapi().Entry<EnumProcessesFn>("EnumProcesses") != nullptr;
}

bool Win32Processes::ToolHelpAvailable() {
    return Kernel32().Entry<SnapshotFn>("CreateToolhelp32Snapshot") != nullptr;
}

std::optional<std::vector<uint32_t>> Win32Processes::ProcessIds(uint32_t capacity) {
    const auto enumProcesses = Psapi().Entry<EnumProcessesFn>("EnumProcesses");
    if (!enumProcesses) return std::nullopt;
    std::vector<DWORD> ids(capacity);
    DWORD bytes = 0;
    if (!enumProcesses(ids.data(), capacity * sizeof(DWORD), &bytes)) return std::nullopt;
    ids.resize(std::min<size_t>(bytes / sizeof(DWORD), capacity));
    return std::vector<uint32_t>(ids.begin(), ids.end());
}

std::optional<std::vector<ProcessEntry>> Win32Processes::Snapshot() {
    const win32::LateLibrary kernel = Kernel32();
    const auto create = kernel.Entry<SnapshotFn>("CreateToolhelp32Snapshot");
    const auto first = kernel.Entry<ProcessWalkFn>("Process32First");
    const auto next = kernel.Entry<ProcessWalkFn>("Process32Next");
    if (!create || !first || !next) return std::nullopt;
    const win32::FileHandle snapshot(create(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return std::nullopt;
    std::vector<ProcessEntry> entries;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = first(snapshot.Get(), &entry); more; more = next(snapshot.Get(), &entry)) {
        ProcessEntry e;
        e.processId = entry.th32ProcessID;
        e.parentProcessId = entry.th32ParentProcessID;
        e.threads = entry.cntThreads;
        e.basePriority = entry.pcPriClassBase;
        entry.szExeFile[MAX_PATH - 1] = '\0';
        e.exeFile = entry.szExeFile;
        entries.push_back(std::move(e));
        entry.dwSize = sizeof(entry);
    }
    return entries;
}

std::string Win32Processes::ModuleName(uint32_t processId, bool fullPath) {
    const auto name = Psapi().Entry<ModuleNameFn>(fullPath ? "GetModuleFileNameExA"
                                                           : "GetModuleBaseNameA");
    if (!name) return "";
    const win32::KernelHandle process(::OpenProcess(kQueryAndRead, FALSE, processId));
    if (!process) return "";
    char buffer[kNameBuffer] = {};
    const DWORD length = name(process.Get(), nullptr, buffer, kNameBuffer);
    if (length == 0 || length > kNameBuffer) return "";
    return std::string(buffer, length < kNameBuffer ? length : kNameBuffer - 1);
}

std::optional<std::string> Win32Processes::FullImageName(uint32_t processId) {
    const auto query = Kernel32().Entry<ImageNameFn>("QueryFullProcessImageNameA");
    if (!query) return std::nullopt;
    const win32::KernelHandle process(::OpenProcess(kQueryLimited, FALSE, processId));
    if (!process) return std::nullopt;
    char buffer[kNameBuffer] = {};
    DWORD length = kNameBuffer;
    if (!query(process.Get(), 0, buffer, &length) || length >= kNameBuffer) return std::nullopt;
    return std::string(buffer, length);
}

uint32_t Win32Processes::CurrentProcessId() { return ::GetCurrentProcessId(); }

std::optional<bool> Win32Processes::IsWow64(uint32_t processId) {
    const auto isWow64 = Kernel32().Entry<IsWow64Fn>("IsWow64Process");
    if (!isWow64) return std::nullopt;
    BOOL wow64 = FALSE;
    if (processId == ::GetCurrentProcessId()) {
        if (!isWow64(::GetCurrentProcess(), &wow64)) return std::nullopt;
        return wow64 != FALSE;
    }
    const win32::KernelHandle process(::OpenProcess(kQueryLimited, FALSE, processId));
    if (!process || !isWow64(process.Get(), &wow64)) return std::nullopt;
    return wow64 != FALSE;
}

void Win32Processes::ReleaseLibraries() {
    psapi_ = win32::LateLibrary();
    psapiTried_ = false;
}

}  // namespace rb::platform
