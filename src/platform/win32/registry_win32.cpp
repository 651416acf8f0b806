#include "platform/win32/registry_win32.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace rb::platform {
namespace {

HKEY RootHandle(RootKey root) {
    static const HKEY kRoots[] = {
        HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE,
        HKEY_USERS,        HKEY_CURRENT_CONFIG, HKEY_DYN_DATA,
    };
    const size_t index = static_cast<size_t>(root);
    return index < std::size(kRoots) ? kRoots[index] : nullptr;
}

struct TypeName {
    DWORD system;
    RegValueType type;
};
const TypeName kTypes[] = {
    {REG_NONE, RegValueType::None},
    {REG_SZ, RegValueType::String},
    {REG_EXPAND_SZ, RegValueType::ExpandString},
    {REG_BINARY, RegValueType::Binary},
    {REG_DWORD, RegValueType::DWord},
    {REG_MULTI_SZ, RegValueType::MultiString},
};

RegValueType TypeOf(DWORD system) {
    for (const TypeName& t : kTypes) {
        if (t.system == system) return t.type;
    }
    return RegValueType::Other;
}

// Empty parts are dropped, as the simulated registry does: the system itself refuses a leading
// backslash, and callers build paths by joining pieces.
std::string CleanPath(std::string_view path) {
    std::string clean;
    size_t pos = 0;
    while (pos <= path.size()) {
        const size_t end = std::min(path.find('\\', pos), path.size());
        if (end > pos) {
            if (!clean.empty()) clean += '\\';
            clean.append(path.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return clean;
}

// Names by index until the system says there are no more; a short buffer is grown and the
// same index asked again.
template <typename EnumAt>
std::vector<std::string> EnumNames(DWORD longest, EnumAt enumAt) {
    std::vector<std::string> names;
    std::vector<char> buffer(std::max<DWORD>(longest, 255) + 1);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LONG status = enumAt(index, buffer.data(), &length);
        if (status == ERROR_MORE_DATA && buffer.size() < 65536) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        names.emplace_back(buffer.data(), std::min<size_t>(length, buffer.size()));
        ++index;
    }
    return names;
}

}  // namespace

std::optional<Win32RegKey::Raw> Win32RegKey::Query(std::string_view name) const {
    const std::string n(name);
    Raw raw;
    const LONG status = win32::ProbeThenFill(raw.data, [&](uint8_t* data, DWORD* size) {
        return ::RegQueryValueExA(key_.Get(), n.c_str(), nullptr, &raw.type, data, size);
    });
    if (status != ERROR_SUCCESS) return std::nullopt;
    return raw;
}

bool Win32RegKey::ValueExists(std::string_view name) const {
    const std::string n(name);
    return ::RegQueryValueExA(key_.Get(), n.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

RegValueType Win32RegKey::ValueType(std::string_view name) const {
    const std::string n(name);
    DWORD type = REG_NONE;
    if (::RegQueryValueExA(key_.Get(), n.c_str(), nullptr, &type, nullptr, nullptr) !=
        ERROR_SUCCESS) {
        return RegValueType::None;
    }
    return TypeOf(type);
}

std::optional<std::string> Win32RegKey::ReadString(std::string_view name) const {
    const auto raw = Query(name);
    if (!raw || (raw->type != REG_SZ && raw->type != REG_EXPAND_SZ)) return std::nullopt;
    // Stored strings usually end in a NUL but need not; the text stops at the first one.
    const auto end = std::find(raw->data.begin(), raw->data.end(), 0);
    return std::string(raw->data.begin(), end);
}

std::optional<uint32_t> Win32RegKey::ReadInteger(std::string_view name) const {
    const auto raw = Query(name);
    if (!raw || raw->data.size() != 4 || (raw->type != REG_DWORD && raw->type != REG_BINARY)) {
        return std::nullopt;
    }
    uint32_t value;
    std::memcpy(&value, raw->data.data(), 4);
    return value;
}

std::optional<std::vector<uint8_t>> Win32RegKey::ReadBinary(std::string_view name) const {
    auto raw = Query(name);
    if (!raw) return std::nullopt;
    return std::move(raw->data);
}

std::optional<std::vector<std::string>> Win32RegKey::ReadMultiString(std::string_view name) const {
    const auto raw = Query(name);
    if (!raw || raw->type != REG_MULTI_SZ) return std::nullopt;
    // The list ends at the first empty string (the double NUL), or where the data ends.
    std::vector<std::string> strings;
    std::string current;
    for (uint8_t b : raw->data) {
        if (b != 0) {
            current += static_cast<char>(b);
        } else if (current.empty()) {
            break;
        } else {
            strings.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty()) strings.push_back(std::move(current));
    return strings;
}

std::vector<std::string> Win32RegKey::SubKeyNames() const {
    DWORD longest = 0;
    ::RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr);
    return EnumNames(longest, [&](DWORD index, char* buffer, DWORD* length) {
        return ::RegEnumKeyExA(key_.Get(), index, buffer, length, nullptr, nullptr, nullptr,
                               nullptr);
    });
}

std::vector<std::string> Win32RegKey::ValueNames() const {
    DWORD longest = 0;
    ::RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       &longest, nullptr, nullptr, nullptr);
    return EnumNames(longest, [&](DWORD index, char* buffer, DWORD* length) {
        return ::RegEnumValueA(key_.Get(), index, buffer, length, nullptr, nullptr, nullptr,
                               nullptr);
    });
}

bool Win32RegKey::Write(std::string_view name, DWORD type, const uint8_t* data, size_t size) {
    const std::string n(name);
    static const uint8_t kNothing = 0;  // some systems refuse a null pointer even for 0 bytes
    return ::RegSetValueExA(key_.Get(), n.c_str(), 0, type, size ? data : &kNothing,
                            static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool Win32RegKey::WriteString(std::string_view name, std::string_view value) {
    const std::string text(value);  // with its terminating NUL, which REG_SZ data includes
    return Write(name, REG_SZ, reinterpret_cast<const uint8_t*>(text.c_str()), text.size() + 1);
}

bool Win32RegKey::WriteInteger(std::string_view name, uint32_t value) {
    uint8_t data[4];
    std::memcpy(data, &value, 4);
    return Write(name, REG_DWORD, data, 4);
}

bool Win32RegKey::WriteBinary(std::string_view name, const std::vector<uint8_t>& value) {
    return Write(name, REG_BINARY, value.data(), value.size());
}

std::unique_ptr<RegKey> Win32Registry::Open(RootKey root, std::string_view path, bool write) {
    return OpenWith(root, path, write ? KEY_ALL_ACCESS : KEY_READ);
}

std::unique_ptr<RegKey> Win32Registry::OpenView(RootKey root, std::string_view path,
                                                RegView view) {
    // The view flags are only asked for where they mean something (callers check WOW64):
    // before XP the system does not know them.
    REGSAM access = KEY_READ;
    if (view == RegView::Native64) access |= KEY_WOW64_64KEY;
    if (view == RegView::Wow32) access |= KEY_WOW64_32KEY;
    return OpenWith(root, path, access);
}

std::unique_ptr<RegKey> Win32Registry::OpenWith(RootKey root, std::string_view path,
                                                REGSAM access) {
    const HKEY base = RootHandle(root);
    if (!base) return nullptr;
    win32::RegKeyHandle key;
    if (::RegOpenKeyExA(base, CleanPath(path).c_str(), 0, access, key.Put()) != ERROR_SUCCESS) {
        key.Release();  // whatever a failed call left there is no handle of ours
        return nullptr;
    }
    return std::make_unique<Win32RegKey>(std::move(key));
}

std::unique_ptr<RegKey> Win32Registry::Create(RootKey root, std::string_view path) {
    const HKEY base = RootHandle(root);
    if (!base) return nullptr;
    win32::RegKeyHandle key;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(base, CleanPath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, key.Put(), &disposition) != ERROR_SUCCESS) {
        key.Release();
        return nullptr;
    }
    return std::make_unique<Win32RegKey>(std::move(key));
}

}  // namespace rb::platform
