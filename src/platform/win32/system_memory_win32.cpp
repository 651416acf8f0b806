// kernel32 questions of the clock, the time zone, the folders, memory and the BIOS area.
#include <cstring>
#include <cwchar>

#include "core/datetime.h"
#include "platform/win32/late_binding_win32.h"
#include "platform/win32/platform_win32.h"

namespace rb::platform {
namespace {

constexpr uint32_t kBiosAreaStart = 0xF0000;
constexpr uint32_t kBiosAreaEnd = 0x100000;  // the end of the first megabyte

SystemTimeRecord FromSystemTime(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay,
            t.wHour, t.wMinute, t.wSecond,   t.wMilliseconds};
}

// A zone name (at most 32 UTF-16 units, not always terminated) in the 8-bit code page.
std::string ZoneName(const WCHAR (&name)[32]) {
    const int length = static_cast<int>(wcsnlen(name, 32));
    if (length == 0) return std::string();
    char text[128] = {};
    const int got =
        ::WideCharToMultiByte(CP_ACP, 0, name, length, text, sizeof(text), nullptr, nullptr);
    return std::string(text, got > 0 ? static_cast<size_t>(got) : 0);
}

// A directory from a call with the usual contract: the length written, or the size needed.
template <typename Call>
std::string Directory(Call call) {
    std::string path(MAX_PATH, '\0');
    UINT length = call(path.data(), static_cast<UINT>(path.size()));
    if (length >= path.size()) {
        path.assign(length + 1, '\0');
        length = call(path.data(), static_cast<UINT>(path.size()));
        if (length >= path.size()) return std::string();
    }
    path.resize(length);
    return path;
}

bool ReadableProtection(DWORD protect) {
    if (protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
    return (protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                       PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

// Every page of the range is committed and readable, as the memory manager describes it.
bool MappedReadable(const uint8_t* first, size_t length) {
    const uint8_t* at = first;
    const uint8_t* const end = first + length;
    while (at < end) {
        MEMORY_BASIC_INFORMATION info{};
        if (::VirtualQuery(at, &info, sizeof(info)) != sizeof(info)) return false;
        if (info.State != MEM_COMMIT || !ReadableProtection(info.Protect)) return false;
        const uint8_t* const next =
            static_cast<const uint8_t*>(info.BaseAddress) + info.RegionSize;
        if (next <= at) return false;
        at = next;
    }
    return true;
}

}  // namespace

double Win32System::Now() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    double day = 0;
    double time = 0;
    if (!TryEncodeDate(t.wYear, t.wMonth, t.wDay, day)) return 0;
    if (!TryEncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, time)) return day;
    return day + time;
}

TimeZoneInfo Win32System::TimeZone() {
    TIME_ZONE_INFORMATION tz{};
    const DWORD state = ::GetTimeZoneInformation(&tz);
    TimeZoneInfo info;
    if (state == TIME_ZONE_ID_INVALID) return info;
    info.bias = tz.Bias;
    info.standardName = ZoneName(tz.StandardName);
    info.standardDate = FromSystemTime(tz.StandardDate);
    info.standardBias = tz.StandardBias;
    info.daylightName = ZoneName(tz.DaylightName);
    info.daylightDate = FromSystemTime(tz.DaylightDate);
    info.daylightBias = tz.DaylightBias;
    info.state = state;
    return info;
}

std::string Win32System::WindowsDirectory() {
    return Directory([](char* buffer, UINT size) { return ::GetWindowsDirectoryA(buffer, size); });
}

std::string Win32System::SystemDirectory() {
    return Directory([](char* buffer, UINT size) { return ::GetSystemDirectoryA(buffer, size); });
}

MemoryStatus Win32System::GlobalMemory() {
    MEMORYSTATUS s{};
    s.dwLength = sizeof(s);  // 32 bytes
    ::GlobalMemoryStatus(&s);
    MemoryStatus m;
    m.memoryLoad = s.dwMemoryLoad;
    m.totalPhys = s.dwTotalPhys;
    m.availPhys = s.dwAvailPhys;
    m.totalPageFile = s.dwTotalPageFile;
    m.availPageFile = s.dwAvailPageFile;
    m.totalVirtual = s.dwTotalVirtual;
    m.availVirtual = s.dwAvailVirtual;
    return m;
}

// Looked up at run time: Windows 95/98/ME and NT 4 have no such entry point, and a static
// import of it would stop the program from starting there.
std::optional<MemoryStatus> Win32System::GlobalMemoryEx() {
    using Fn = BOOL(WINAPI*)(MEMORYSTATUSEX*);
    const auto fn = win32::SystemEntry<Fn>("kernel32.dll", "GlobalMemoryStatusEx");
    if (!fn) return std::nullopt;
    MEMORYSTATUSEX s{};
    s.dwLength = sizeof(s);
    if (!fn(&s)) return std::nullopt;
    MemoryStatus m;
    m.memoryLoad = s.dwMemoryLoad;
    m.totalPhys = s.ullTotalPhys;
    m.availPhys = s.ullAvailPhys;
    m.totalPageFile = s.ullTotalPageFile;
    m.availPageFile = s.ullAvailPageFile;
    m.totalVirtual = s.ullTotalVirtual;
    m.availVirtual = s.ullAvailVirtual;
    return m;
}

AddressSpaceInfo Win32System::AddressSpace() {
    SYSTEM_INFO s{};
    ::GetSystemInfo(&s);
    AddressSpaceInfo a;
    a.pageSize = s.dwPageSize;
    a.allocationGranularity = s.dwAllocationGranularity;
    a.minimumApplicationAddress =
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(s.lpMinimumApplicationAddress));
    a.maximumApplicationAddress =
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(s.lpMaximumApplicationAddress));
    return a;
}

// Only Windows 95/98/ME maps the first megabyte, BIOS included, into every process; anywhere
// else those addresses are unmapped or belong to something else. The range is checked before
// it is touched, so a probe never faults.
std::optional<std::vector<uint8_t>> Win32System::ReadBiosArea(uint32_t address,
                                                                uint32_t length) {
    if ((::GetVersion() & 0x80000000u) == 0) return std::nullopt;
    if (address < kBiosAreaStart || address >= kBiosAreaEnd || length == 0 ||
        length > kBiosAreaEnd - address) {
        return std::nullopt;
    }
    const auto* first = reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(address));
    // The memory manager of those systems may not describe the shared low arena page by page;
    // IsBadReadPtr then asks by touching the pages under the system's own fault handler.
    if (!MappedReadable(first, length) && ::IsBadReadPtr(first, length)) return std::nullopt;
    std::vector<uint8_t> bytes(length);
    std::memcpy(bytes.data(), first, length);
    return bytes;
}

}  // namespace rb::platform
