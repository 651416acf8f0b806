// What every Registry must answer, as one table of steps run against any implementation: the
// simulated registry the tests fill and the real one under Windows. Both passing means the
// simulation stands in faithfully for the system.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/text.h"
#include "platform/registry.h"

namespace rbtest {

using rb::platform::Registry;
using rb::platform::RegKey;
using rb::platform::RootKey;

// Writes a REG_MULTI_SZ value (the interface has no writer for it).
using MultiWriter = std::function<void(const std::string& path, const std::string& name,
                                       const std::vector<std::string>& strings)>;

enum class RegOp {
    Create,
    WriteString,
    WriteInteger,
    WriteBinary,
    PutMulti,
    WriteReadOnly,
    ReadString,
    ReadInteger,
    ReadBinary,
    ReadMulti,
    Type,
    Exists,
    SubKeys,
    Values,
};

struct RegStep {
    RegOp op;
    const char* key;  // below the contract's base key
    const char* name;
    const char* arg;  // texts; integers in decimal; bytes in hex; lists separated by '|'
    const char* expect;
};

// Answers as text: "-" for a missing value, "no key" when the key does not open.
// clang-format off
inline const RegStep kRegistryContract[] = {
    // op                  key               name       arg              expect
    {RegOp::Create,        "",               "",        "",              "ok"},
    {RegOp::WriteString,   "",               "Nombre",  "Año",           "true"},
    {RegOp::ReadString,    "",               "NOMBRE",  "",              "Año"},
    {RegOp::ReadBinary,    "",               "nombre",  "",              "41 F1 6F 00"},
    {RegOp::Type,          "",               "Nombre",  "",              "String"},
    {RegOp::ReadInteger,   "",               "Nombre",  "",              "-"},
    {RegOp::ReadMulti,     "",               "Nombre",  "",              "-"},
    {RegOp::WriteString,   "",               "Nombre",  "",              "true"},
    {RegOp::ReadString,    "",               "Nombre",  "",              ""},
    {RegOp::WriteInteger,  "",               "Cuenta",  "305419896",     "true"},
    {RegOp::ReadInteger,   "",               "cuenta",  "",              "305419896"},
    {RegOp::ReadBinary,    "",               "Cuenta",  "",              "78 56 34 12"},
    {RegOp::ReadString,    "",               "Cuenta",  "",              "-"},
    {RegOp::Type,          "",               "Cuenta",  "",              "DWord"},
    {RegOp::WriteBinary,   "",               "Datos",   "00 01 00 02",   "true"},
    {RegOp::ReadBinary,    "",               "DATOS",   "",              "00 01 00 02"},
    {RegOp::ReadInteger,   "",               "Datos",   "",              "33554688"},
    {RegOp::Type,          "",               "Datos",   "",              "Binary"},
    {RegOp::WriteBinary,   "",               "Corto",   "00 00 07",      "true"},
    {RegOp::ReadInteger,   "",               "Corto",   "",              "-"},
    {RegOp::WriteBinary,   "",               "Vacio",   "",              "true"},
    {RegOp::ReadBinary,    "",               "Vacio",   "",              ""},
    {RegOp::Exists,        "",               "Vacio",   "",              "true"},
    // the default value
    {RegOp::Exists,        "",               "",        "",              "false"},
    {RegOp::ReadString,    "",               "",        "",              "-"},
    {RegOp::WriteString,   "",               "",        "por defecto",   "true"},
    {RegOp::ReadString,    "",               "",        "",              "por defecto"},
    // multi-strings end at the first empty string
    {RegOp::PutMulti,      "",               "Lista",   "uno|dos|Año",   "ok"},
    {RegOp::ReadMulti,     "",               "LISTA",   "",              "uno|dos|Año"},
    {RegOp::Type,          "",               "Lista",   "",              "MultiString"},
    {RegOp::ReadString,    "",               "Lista",   "",              "-"},
    {RegOp::PutMulti,      "",               "Corta",   "a||b",          "ok"},
    {RegOp::ReadMulti,     "",               "Corta",   "",              "a"},
    // missing values and keys
    {RegOp::Exists,        "",               "Falta",   "",              "false"},
    {RegOp::Type,          "",               "Falta",   "",              "None"},
    {RegOp::ReadBinary,    "",               "Falta",   "",              "-"},
    {RegOp::ReadString,    "NoExiste",       "Nombre",  "",              "no key"},
    {RegOp::WriteString,   "NoExiste",       "Nombre",  "x",             "no key"},
    // a key opened for reading refuses writes
    {RegOp::WriteReadOnly, "",               "Nombre",  "otro",          "false"},
    {RegOp::ReadString,    "",               "Nombre",  "",              ""},
    // subkeys: created level by level, found in any case and with stray backslashes
    {RegOp::Create,        "Hijo\\Nieto",    "",        "",              "ok"},
    {RegOp::Create,        "abeto",          "",        "",              "ok"},
    {RegOp::WriteString,   "hijo\\NIETO",    "Valor",   "1",             "true"},
    {RegOp::ReadString,    "\\Hijo\\\\Nieto\\", "valor", "",             "1"},
    {RegOp::SubKeys,       "",               "",        "",              "abeto|Hijo"},
    {RegOp::SubKeys,       "HIJO",           "",        "",              "Nieto"},
    {RegOp::SubKeys,       "Hijo\\Nieto",    "",        "",              ""},
    {RegOp::Values,        "",               "",        "",
     "|Corta|Corto|Cuenta|Datos|Lista|Nombre|Vacio"},
    {RegOp::Values,        "abeto",          "",        "",              ""},
};
// clang-format on

inline std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    for (uint8_t b : bytes) out += rb::Format(out.empty() ? "%02X" : " %02X", b);
    return out;
}

inline std::vector<uint8_t> Unhex(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 3) {
        bytes.push_back(static_cast<uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

inline std::vector<std::string> SplitBars(const std::string& text) {
    std::vector<std::string> parts;
    size_t pos = 0;
    for (size_t bar; (bar = text.find('|', pos)) != std::string::npos; pos = bar + 1) {
        parts.push_back(text.substr(pos, bar - pos));
    }
    parts.push_back(text.substr(pos));
    return parts;
}

inline std::string JoinBars(const std::vector<std::string>& parts) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? "|" : "") + parts[i];
    return out;
}

template <typename T, typename Show>
std::string ShowOptional(const std::optional<T>& value, Show show) {
    return value ? show(*value) : "-";
}

inline const char* TypeText(rb::platform::RegValueType type) {
    static const char* const kNames[] = {"None",  "String",      "ExpandString", "Binary",
                                         "DWord", "MultiString", "Other"};
    const size_t index = static_cast<size_t>(type);
    return index < std::size(kNames) ? kNames[index] : "?";
}

// One step's answer. Value names come back sorted: Windows keeps them in creation order, Wine
// sorts them, and nothing in the program depends on the order.
inline std::string RunStep(Registry& reg, RootKey root, const std::string& base,
                           const MultiWriter& putMulti, const RegStep& s) {
    const std::string path = base + "\\" + s.key;
    const std::string arg = s.arg;
    if (s.op == RegOp::Create) return reg.Create(root, path) ? "ok" : "refused";
    if (s.op == RegOp::PutMulti) {
        putMulti(path, s.name, SplitBars(arg));
        return "ok";
    }
    const bool write =
        s.op == RegOp::WriteString || s.op == RegOp::WriteInteger || s.op == RegOp::WriteBinary;
    const std::unique_ptr<RegKey> key = reg.Open(root, path, write);
    if (!key) return "no key";
    const auto text = [](const std::string& v) { return v; };
    switch (s.op) {
        case RegOp::WriteString:
            return key->WriteString(s.name, arg) ? "true" : "false";
        case RegOp::WriteReadOnly:
            return key->WriteString(s.name, arg) ? "true" : "false";
        case RegOp::WriteInteger:
            return key->WriteInteger(s.name, static_cast<uint32_t>(std::stoul(arg))) ? "true"
                                                                                     : "false";
        case RegOp::WriteBinary:
            return key->WriteBinary(s.name, Unhex(arg)) ? "true" : "false";
        case RegOp::ReadString:
            return ShowOptional(key->ReadString(s.name), text);
        case RegOp::ReadInteger:
            return ShowOptional(key->ReadInteger(s.name),
                                [](uint32_t v) { return std::to_string(v); });
        case RegOp::ReadBinary:
            return ShowOptional(key->ReadBinary(s.name), Hex);
        case RegOp::ReadMulti:
            return ShowOptional(key->ReadMultiString(s.name), JoinBars);
        case RegOp::Type:
            return TypeText(key->ValueType(s.name));
        case RegOp::Exists:
            return key->ValueExists(s.name) ? "true" : "false";
        case RegOp::SubKeys:
            return JoinBars(key->SubKeyNames());
        case RegOp::Values: {
            std::vector<std::string> names = key->ValueNames();
            std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
                return rb::AnsiCompareText(a, b) < 0;
            });
            return JoinBars(names);
        }
        default:
            return "?";
    }
}

// Runs the whole table below `base`, which must not exist yet.
inline void CheckRegistryContract(Registry& reg, RootKey root, const std::string& base,
                                  const MultiWriter& putMulti) {
    for (size_t i = 0; i < std::size(kRegistryContract); ++i) {
        const RegStep& s = kRegistryContract[i];
        EXPECT_EQ(RunStep(reg, root, base, putMulti, s), s.expect)
            << "step " << i << ": key \"" << s.key << "\" name \"" << s.name << "\"";
    }
}

}  // namespace rbtest
