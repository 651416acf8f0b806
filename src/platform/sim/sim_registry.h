// An in-memory registry for tests: keys and value names compare without regard to case, as
// in Windows; values keep their type and raw bytes.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace rb::platform {

class SimRegistry : public Registry {
public:
    struct Value {
        RegValueType type = RegValueType::None;
        std::vector<uint8_t> data;
    };
    struct Key;
    struct NameLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    struct Key {
        std::map<std::string, std::unique_ptr<Key>, NameLess> subkeys;
        std::vector<std::pair<std::string, Value>> values;  // in creation order
        bool writable = true;
    };

    SimRegistry();

    std::unique_ptr<RegKey> Open(RootKey root, std::string_view path, bool write = false) override;
    std::unique_ptr<RegKey> Create(RootKey root, std::string_view path) override;
    // Views as 64-bit Windows keeps them: the 32-bit half of HKLM\SOFTWARE lives under
    // SOFTWARE\WOW6432Node; the default view is that half when `wow64` is set (a 32-bit
    // program on 64-bit Windows), the whole registry otherwise.
    std::unique_ptr<RegKey> OpenView(RootKey root, std::string_view path, RegView view) override;
    bool wow64 = false;

    // Filling helpers for tests (keys are created as needed).
    void SetString(RootKey root, std::string_view path, std::string_view name,
                   std::string_view value);
    void SetInteger(RootKey root, std::string_view path, std::string_view name, uint32_t value);
    void SetBinary(RootKey root, std::string_view path, std::string_view name,
                   const std::vector<uint8_t>& value);
    void SetMultiString(RootKey root, std::string_view path, std::string_view name,
                        const std::vector<std::string>& value);
    void AddKey(RootKey root, std::string_view path);
    // Every later Open for writing and Create under `root` fails (a user without rights).
    void DenyWrites(RootKey root) { denied_[static_cast<int>(root)] = true; }
    // Counts of successful writes, to tell whether something was written again.
    int WriteCount() const { return writes_; }

    Key* Find(RootKey root, std::string_view path);

private:
    friend class SimRegKey;
    Key* Walk(RootKey root, std::string_view path, bool create);
    Value& Put(RootKey root, std::string_view path, std::string_view name);

    std::unique_ptr<Key> roots_[6];
    bool denied_[6] = {};
    int writes_ = 0;
};

}  // namespace rb::platform
