// The real registry, through advapi32's 8-bit functions.
#pragma once

#include <windows.h>

#include "platform/registry.h"
#include "platform/win32/handles_win32.h"

namespace rb::platform {

// An open key. Reads and writes go straight to the system; nothing is cached.
class Win32RegKey : public RegKey {
public:
    explicit Win32RegKey(win32::RegKeyHandle key) : key_(std::move(key)) {}

    // For the rare call the interface does not cover.
    HKEY Handle() const { return key_.Get(); }

    bool ValueExists(std::string_view name) const override;
    RegValueType ValueType(std::string_view name) const override;
    std::optional<std::string> ReadString(std::string_view name) const override;
    std::optional<uint32_t> ReadInteger(std::string_view name) const override;
    std::optional<std::vector<uint8_t>> ReadBinary(std::string_view name) const override;
    std::optional<std::vector<std::string>> ReadMultiString(std::string_view name) const override;

    std::vector<std::string> SubKeyNames() const override;
    std::vector<std::string> ValueNames() const override;

    bool WriteString(std::string_view name, std::string_view value) override;
    bool WriteInteger(std::string_view name, uint32_t value) override;
    bool WriteBinary(std::string_view name, const std::vector<uint8_t>& value) override;

private:
    struct Raw {
        DWORD type = REG_NONE;
        std::vector<uint8_t> data;
    };
    std::optional<Raw> Query(std::string_view name) const;
    bool Write(std::string_view name, DWORD type, const uint8_t* data, size_t size);

    win32::RegKeyHandle key_;
};

class Win32Registry : public Registry {
public:
    std::unique_ptr<RegKey> Open(RootKey root, std::string_view path, bool write = false) override;
    std::unique_ptr<RegKey> OpenView(RootKey root, std::string_view path, RegView view) override;
    std::unique_ptr<RegKey> Create(RootKey root, std::string_view path) override;

private:
    std::unique_ptr<RegKey> OpenWith(RootKey root, std::string_view path, REGSAM access);
};

}  // namespace rb::platform
