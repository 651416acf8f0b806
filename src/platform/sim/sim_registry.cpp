#include "platform/sim/sim_registry.h"

#include <algorithm>
#include <cstring>

#include "core/text.h"

namespace rb::platform {

bool SimRegistry::NameLess::operator()(const std::string& a, const std::string& b) const {
    return AnsiCompareText(a, b) < 0;
}

namespace {

std::vector<std::string> SplitPath(std::string_view path) {
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= path.size()) {
        const size_t end = std::min(path.find('\\', pos), path.size());
        if (end > pos) parts.emplace_back(path.substr(pos, end - pos));
        pos = end + 1;
    }
    return parts;
}

std::vector<uint8_t> Bytes(std::string_view s, bool withNul) {
    std::vector<uint8_t> data(s.begin(), s.end());
    if (withNul) data.push_back(0);
    return data;
}

}  // namespace

// An open key of the simulated registry.
class SimRegKey : public RegKey {
public:
    SimRegKey(SimRegistry& owner, SimRegistry::Key& key, bool write)
        : owner_(owner), key_(key), write_(write) {}

    const SimRegistry::Value* Get(std::string_view name) const {
        for (const auto& [n, v] : key_.values) {
            if (SameText(n, name)) return &v;
        }
        return nullptr;
    }

    bool ValueExists(std::string_view name) const override { return Get(name) != nullptr; }

    RegValueType ValueType(std::string_view name) const override {
        const auto* v = Get(name);
        return v ? v->type : RegValueType::None;
    }

    std::optional<std::string> ReadString(std::string_view name) const override {
        const auto* v = Get(name);
        if (!v || (v->type != RegValueType::String && v->type != RegValueType::ExpandString)) {
            return std::nullopt;
        }
        std::string s(v->data.begin(), v->data.end());
        const size_t nul = s.find('\0');
        if (nul != std::string::npos) s.resize(nul);
        return s;
    }

    std::optional<uint32_t> ReadInteger(std::string_view name) const override {
        const auto* v = Get(name);
        if (!v || v->data.size() != 4 ||
            (v->type != RegValueType::DWord && v->type != RegValueType::Binary)) {
            return std::nullopt;
        }
        uint32_t value;
        std::memcpy(&value, v->data.data(), 4);
        return value;
    }

    std::optional<std::vector<uint8_t>> ReadBinary(std::string_view name) const override {
        const auto* v = Get(name);
        if (!v) return std::nullopt;
        return v->data;
    }

    std::optional<std::vector<std::string>> ReadMultiString(std::string_view name) const override {
        const auto* v = Get(name);
        if (!v || v->type != RegValueType::MultiString) return std::nullopt;
        std::vector<std::string> out;
        std::string current;
        for (uint8_t b : v->data) {
            if (b != 0) {
                current += static_cast<char>(b);
            } else if (current.empty()) {
                break;
            } else {
                out.push_back(current);
                current.clear();
            }
        }
        if (!current.empty()) out.push_back(current);
        return out;
    }

    std::vector<std::string> SubKeyNames() const override {
        std::vector<std::string> names;
        for (const auto& [n, k] : key_.subkeys) names.push_back(n);
        return names;
    }

    std::vector<std::string> ValueNames() const override {
        std::vector<std::string> names;
        for (const auto& [n, v] : key_.values) names.push_back(n);
        return names;
    }

    bool WriteString(std::string_view name, std::string_view value) override {
        return Write(name, RegValueType::String, Bytes(value, true));
    }
    bool WriteInteger(std::string_view name, uint32_t value) override {
        std::vector<uint8_t> data(4);
        std::memcpy(data.data(), &value, 4);
        return Write(name, RegValueType::DWord, data);
    }
    bool WriteBinary(std::string_view name, const std::vector<uint8_t>& value) override {
        return Write(name, RegValueType::Binary, value);
    }

private:
    bool Write(std::string_view name, RegValueType type, std::vector<uint8_t> data) {
        if (!write_) return false;
        for (auto& [n, v] : key_.values) {
            if (SameText(n, name)) {
                v = {type, std::move(data)};
                ++owner_.writes_;
                return true;
            }
        }
        key_.values.emplace_back(std::string(name), SimRegistry::Value{type, std::move(data)});
        ++owner_.writes_;
        return true;
    }

    SimRegistry& owner_;
    SimRegistry::Key& key_;
    bool write_;
};

SimRegistry::SimRegistry() {
    for (auto& r : roots_) r = std::make_unique<Key>();
}

SimRegistry::Key* SimRegistry::Walk(RootKey root, std::string_view path, bool create) {
    Key* key = roots_[static_cast<int>(root)].get();
    for (const std::string& part : SplitPath(path)) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end()) {
            if (!create) return nullptr;
            it = key->subkeys.emplace(part, std::make_unique<Key>()).first;
        }
        key = it->second.get();
    }
    return key;
}

SimRegistry::Key* SimRegistry::Find(RootKey root, std::string_view path) {
    return Walk(root, path, false);
}

namespace {

// HKLM\SOFTWARE\X as the 32-bit half sees it: SOFTWARE\WOW6432Node\X.
std::string Wow32Path(RootKey root, std::string_view path) {
    const std::vector<std::string> parts = SplitPath(path);
    if (root != RootKey::LocalMachine || parts.empty() || !SameText(parts[0], "SOFTWARE") ||
        (parts.size() > 1 && SameText(parts[1], "WOW6432Node"))) {
        return std::string(path);
    }
    std::string redirected = "SOFTWARE\\WOW6432Node";
    for (size_t i = 1; i < parts.size(); ++i) redirected += "\\" + parts[i];
    return redirected;
}

}  // namespace

std::unique_ptr<RegKey> SimRegistry::Open(RootKey root, std::string_view path, bool write) {
    if (write && denied_[static_cast<int>(root)]) return nullptr;
    const std::string seen = wow64 ? Wow32Path(root, path) : std::string(path);
    Key* key = Walk(root, seen, false);
    return key ? std::make_unique<SimRegKey>(*this, *key, write) : nullptr;
}

std::unique_ptr<RegKey> SimRegistry::OpenView(RootKey root, std::string_view path, RegView view) {
    if (view == RegView::Default) return Open(root, path);
    const std::string seen = view == RegView::Wow32 ? Wow32Path(root, path) : std::string(path);
    Key* key = Walk(root, seen, false);
    return key ? std::make_unique<SimRegKey>(*this, *key, false) : nullptr;
}

std::unique_ptr<RegKey> SimRegistry::Create(RootKey root, std::string_view path) {
    if (denied_[static_cast<int>(root)]) return nullptr;
    return std::make_unique<SimRegKey>(*this, *Walk(root, path, true), true);
}

SimRegistry::Value& SimRegistry::Put(RootKey root, std::string_view path, std::string_view name) {
    Key* key = Walk(root, path, true);
    for (auto& [n, v] : key->values) {
        if (SameText(n, name)) return v;
    }
    key->values.emplace_back(std::string(name), Value{});
    return key->values.back().second;
}

void SimRegistry::SetString(RootKey root, std::string_view path, std::string_view name,
                            std::string_view value) {
    Put(root, path, name) = {RegValueType::String, Bytes(value, true)};
}

void SimRegistry::SetInteger(RootKey root, std::string_view path, std::string_view name,
                             uint32_t value) {
    std::vector<uint8_t> data(4);
    std::memcpy(data.data(), &value, 4);
    Put(root, path, name) = {RegValueType::DWord, data};
}

void SimRegistry::SetBinary(RootKey root, std::string_view path, std::string_view name,
                            const std::vector<uint8_t>& value) {
    Put(root, path, name) = {RegValueType::Binary, value};
}

void SimRegistry::SetMultiString(RootKey root, std::string_view path, std::string_view name,
                                 const std::vector<std::string>& value) {
    std::vector<uint8_t> data;
    for (const std::string& s : value) {
        data.insert(data.end(), s.begin(), s.end());
        data.push_back(0);
    }
    data.push_back(0);
    Put(root, path, name) = {RegValueType::MultiString, data};
}

void SimRegistry::AddKey(RootKey root, std::string_view path) { Walk(root, path, true); }

}  // namespace rb::platform
