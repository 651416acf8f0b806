#include "core/set.h"

#include "core/exception.h"
#include "core/text.h"

namespace rb {

const char* EnumInfo::Name(int64_t value) const {
    return (value >= 0 && value < count) ? names[value] : "";
}

namespace {
// Whether the C string `z` is `s` byte for byte (read no further than its end).
bool SameBytes(const char* z, std::string_view s) {
    for (size_t k = 0; k < s.size(); ++k) {
        if (z[k] == '\0' || z[k] != s[k]) return false;
    }
    return z[s.size()] == '\0';
}
}  // namespace

int EnumInfo::ValueOf(std::string_view name) const {
    // Names are mostly read back as written: those are found without case folding.
    for (int i = 0; i < count; ++i) {
        if (SameBytes(names[i], name)) return i;
    }
    for (int i = 0; i < count; ++i) {
        if (SameText(names[i], name)) return i;
    }
    return -1;
}

const EnumInfo& BooleanInfo() {
    static const char* const names[] = {"False", "True"};
    static const EnumInfo info{"Boolean", names, 2};
    return info;
}

std::string EnumToText(const EnumInfo& info, int64_t value) { return info.Name(value); }

int TextToEnum(const EnumInfo& info, std::string_view text) {
    const int value = info.ValueOf(text);
    if (value < 0) {
        throw EPropertyConvertError("Invalid property element: " + std::string(text));
    }
    return value;
}

std::string SetToText(const EnumInfo& info, uint32_t mask) {
    std::string out;
    for (int i = 0; i < 32; ++i) {
        if (!((mask >> i) & 1U)) continue;
        if (!out.empty()) out += ',';
        out += info.Name(i);
    }
    return out;
}

namespace {

bool IsWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The next identifier at `pos`, then past any following commas, blanks and closing brackets.
// Any other character ends the list.
std::string_view NextWord(std::string_view text, size_t& pos) {
    const size_t start = pos;
    while (pos < text.size() && IsWordChar(text[pos])) ++pos;
    const std::string_view word = text.substr(start, pos - start);
    while (pos < text.size() && (text[pos] == ',' || text[pos] == ' ' || text[pos] == ']')) ++pos;
    return word;
}

}  // namespace

uint32_t TextToSet(const EnumInfo& info, std::string_view text) {
    uint32_t mask = 0;
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == '[' || text[pos] == ' ')) ++pos;
    for (std::string_view name = NextWord(text, pos); !name.empty(); name = NextWord(text, pos)) {
        const int value = info.ValueOf(name);
        if (value < 0 || value > 31) {
            throw EPropertyConvertError("Invalid property element: " + std::string(name));
        }
        mask |= 1U << value;
    }
    return mask;
}

}  // namespace rb
