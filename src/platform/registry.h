// The Windows registry as the program sees it: keys opened under a root, values read and
// written by name ("" is a key's default value). Missing keys and values are answers, not
// errors: reads give std::nullopt, Open gives nullptr.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rb::platform {

enum class RootKey { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

enum class RegValueType { None, String, ExpandString, Binary, DWord, MultiString, Other };

// Which half of a 64-bit system's registry a key is read from. A 32-bit program on 64-bit
// Windows (WOW64) sees the 32-bit half of HKEY_LOCAL_MACHINE\SOFTWARE unless it asks for the
// other; elsewhere both views are the one registry.
enum class RegView { Default, Native64, Wow32 };

class RegKey {
public:
    virtual ~RegKey() = default;

    virtual bool ValueExists(std::string_view name) const = 0;
    virtual RegValueType ValueType(std::string_view name) const = 0;
    // REG_SZ or REG_EXPAND_SZ text, without the terminating NUL (not expanded).
    virtual std::optional<std::string> ReadString(std::string_view name) const = 0;
    // REG_DWORD (or a binary value of exactly four bytes).
    virtual std::optional<uint32_t> ReadInteger(std::string_view name) const = 0;
    // The raw bytes of a value of any type.
    virtual std::optional<std::vector<uint8_t>> ReadBinary(std::string_view name) const = 0;
    // REG_MULTI_SZ strings, in order.
    virtual std::optional<std::vector<std::string>> ReadMultiString(std::string_view name) const = 0;

    virtual std::vector<std::string> SubKeyNames() const = 0;
    virtual std::vector<std::string> ValueNames() const = 0;

    // Writes return false when the system refuses.
    virtual bool WriteString(std::string_view name, std::string_view value) = 0;
    virtual bool WriteInteger(std::string_view name, uint32_t value) = 0;
    virtual bool WriteBinary(std::string_view name, const std::vector<uint8_t>& value) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // nullptr when the key does not exist or cannot be opened with the asked access.
    virtual std::unique_ptr<RegKey> Open(RootKey root, std::string_view path,
                                         bool write = false) = 0;
    // Opens for reading in the given view (KEY_WOW64_64KEY, KEY_WOW64_32KEY); a registry without
    // views answers as Open does.
    virtual std::unique_ptr<RegKey> OpenView(RootKey root, std::string_view path, RegView view) {
        (void)view;
        return Open(root, path);
    }
    // Opens with full access, creating missing keys; nullptr when refused.
    virtual std::unique_ptr<RegKey> Create(RootKey root, std::string_view path) = 0;
};

}  // namespace rb::platform
