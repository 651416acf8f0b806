// kernel32, advapi32, version.dll and ole32 questions about the running system. Its clock,
// memory and BIOS area are in system_memory_win32.cpp.
#include <objbase.h>

#include "core/cp1252.h"
#include "platform/win32/platform_win32.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>

namespace rb::platform {
namespace {

// The fields the basic and the extended version records share.
template <typename Record>
void FillBasic(OsVersion& v, const Record& r) {
    v.major = r.dwMajorVersion;
    v.minor = r.dwMinorVersion;
    v.build = r.dwBuildNumber;
    v.platformId = r.dwPlatformId;
    v.csd.assign(r.szCSDVersion, strnlen(r.szCSDVersion, sizeof(r.szCSDVersion)));
}

// One locale text; `fallback` when the system has none.
std::string LocaleText(LCTYPE type, const std::string& fallback) {
    const int size = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (size <= 0) return fallback;
    std::string text(static_cast<size_t>(size), '\0');
    const int got = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text.data(), size);
    if (got <= 0) return fallback;
    text.resize(strnlen(text.c_str(), static_cast<size_t>(got)));
    return text;
}

struct LocaleChar {
    LCTYPE type;
    char LocaleFormats::*field;
};
const LocaleChar kLocaleChars[] = {
    {LOCALE_SDECIMAL, &LocaleFormats::decimalSeparator},
    {LOCALE_STHOUSAND, &LocaleFormats::thousandSeparator},
    {LOCALE_SDATE, &LocaleFormats::dateSeparator},
    {LOCALE_STIME, &LocaleFormats::timeSeparator},
};

struct LocaleString {
    LCTYPE type;
    std::string LocaleFormats::*field;
};
const LocaleString kLocaleStrings[] = {
    {LOCALE_SSHORTDATE, &LocaleFormats::shortDateFormat},
    {LOCALE_STIMEFORMAT, &LocaleFormats::longTimeFormat},
    {LOCALE_S1159, &LocaleFormats::timeAmString},
    {LOCALE_S2359, &LocaleFormats::timePmString},
};

void FreeEnvironmentBlock(LPCH block) {
    ::FreeEnvironmentStringsA(block);
}
using EnvironmentBlock = win32::UniqueHandle<LPCH, FreeEnvironmentBlock>;

}  // namespace

OsVersion Win32System::Version() {
    OsVersion v;
    // Windows 95/98/ME and NT 4 before SP6 refuse the extended record; they get the basic one.
    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof(ex);
    if (::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
        FillBasic(v, ex);
        v.extended = true;
        v.servicePackMajor = ex.wServicePackMajor;
        v.servicePackMinor = ex.wServicePackMinor;
        v.suiteMask = ex.wSuiteMask;
        v.productType = ex.wProductType;
        return v;
    }
    OSVERSIONINFOA basic{};
    basic.dwOSVersionInfoSize = sizeof(basic);
    if (::GetVersionExA(&basic)) FillBasic(v, basic);
    return v;
}

namespace {
using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
}  // namespace

// ntdll answers with the kernel's own record, which no compatibility setting trims.
std::optional<OsVersion> Win32System::KernelVersion() {
    const auto query = win32::SystemEntry<RtlGetVersionFn>("ntdll.dll", "RtlGetVersion");
    if (!query) return std::nullopt;
    OSVERSIONINFOEXW r{};
    r.dwOSVersionInfoSize = sizeof(r);
    if (query(&r) != 0) return std::nullopt;
    OsVersion v;
    v.major = r.dwMajorVersion;
    v.minor = r.dwMinorVersion;
    v.build = r.dwBuildNumber;
    v.platformId = r.dwPlatformId;
    const std::wstring csd(r.szCSDVersion, wcsnlen(r.szCSDVersion, std::size(r.szCSDVersion)));
    v.csd = Utf16ToCp1252(std::u16string(csd.begin(), csd.end()));
    v.extended = true;
    v.servicePackMajor = r.wServicePackMajor;
    v.servicePackMinor = r.wServicePackMinor;
    v.suiteMask = r.wSuiteMask;
    v.productType = r.wProductType;
    return v;
}

uint32_t Win32System::TickCount() {
    return ::GetTickCount();
}

std::string Win32System::ComputerName() {
    char name[256] = {};
    DWORD size = sizeof(name);
    if (!::GetComputerNameA(name, &size)) return std::string();
    return std::string(name, strnlen(name, sizeof(name)));
}

std::string Win32System::UserName() {
    char name[256] = {};
    DWORD size = sizeof(name);
    if (!::GetUserNameA(name, &size)) return std::string();
    return std::string(name, strnlen(name, sizeof(name)));
}

std::vector<std::string> Win32System::EnvironmentStrings() {
    std::vector<std::string> entries;
    const EnvironmentBlock block(::GetEnvironmentStringsA());
    if (!block) return entries;
    // "name=value\0name=value\0\0"
    for (const char* entry = block.Get(); *entry; entry += std::strlen(entry) + 1) {
        entries.emplace_back(entry);
    }
    return entries;
}

std::string Win32System::EnvironmentVariable(std::string_view name) {
    const std::string key(name);
    std::string value(256, '\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length =
            ::GetEnvironmentVariableA(key.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) return std::string();  // not set (or set to nothing)
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        // Too long: the answer was the size it needs, with its NUL.
        value.assign(length, '\0');
    }
    return std::string();
}

std::string Win32System::ModuleFileName() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), size);
        if (length == 0) return std::string();
        // A full buffer means the name was cut short.
        if (length < size || size >= 32768) {
            path.resize(std::min<size_t>(length, path.size()));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string Win32System::TempPath() {
    std::string path(MAX_PATH, '\0');
    DWORD length = ::GetTempPathA(MAX_PATH, path.data());
    if (length >= path.size()) {
        // Too long for the buffer: the answer was the size it needs, with its NUL.
        path.assign(length, '\0');
        length = ::GetTempPathA(static_cast<DWORD>(path.size()), path.data());
        if (length >= path.size()) return std::string();
    }
    if (length == 0) return std::string();
    path.resize(length);
    if (path.back() != '\\') path += '\\';
    return path;
}

LocaleFormats Win32System::Locale() {
    LocaleFormats formats;
    for (const LocaleChar& c : kLocaleChars) {
        const std::string text = LocaleText(c.type, std::string());
        if (!text.empty()) formats.*c.field = text[0];
    }
    for (const LocaleString& s : kLocaleStrings) {
        formats.*s.field = LocaleText(s.type, formats.*s.field);
    }
    return formats;
}

std::optional<FileVersion> Win32System::FileVersionInfo(std::string_view file) {
    const std::string name(file);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(name.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<uint8_t> data(size);
    if (!::GetFileVersionInfoA(name.c_str(), 0, size, data.data())) return std::nullopt;

    FileVersion version;
    void* value = nullptr;
    UINT length = 0;
    if (::VerQueryValueA(data.data(), "\\", &value, &length) && value &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        version.parts[0] = HIWORD(fixed->dwFileVersionMS);
        version.parts[1] = LOWORD(fixed->dwFileVersionMS);
        version.parts[2] = HIWORD(fixed->dwFileVersionLS);
        version.parts[3] = LOWORD(fixed->dwFileVersionLS);
    }
    if (::VerQueryValueA(data.data(), "\\StringFileInfo\\040904E4\\FileDescription", &value,
                         &length) &&
        value && length > 0) {
        // The length may or may not count the NUL; it must not reach past the block.
        const char* text = static_cast<const char*>(value);
        const char* begin = reinterpret_cast<const char*>(data.data());
        size_t limit = length;
        if (text >= begin && text < begin + data.size()) {
            limit = std::min<size_t>(limit, static_cast<size_t>(begin + data.size() - text));
        }
        version.description.assign(text, strnlen(text, limit));
    }
    return version;
}

std::array<uint8_t, 16> Win32System::NewGuid() {
    GUID guid;
    if (FAILED(::CoCreateGuid(&guid))) return SystemArea::NewGuid();
    std::array<uint8_t, 16> bytes;
    static_assert(sizeof(guid) == bytes.size(), "a GUID is 16 bytes");
    std::memcpy(bytes.data(), &guid, bytes.size());
    return bytes;
}

}  // namespace rb::platform
