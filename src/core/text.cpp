#include "core/text.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace rb {

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, args);
        out.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::string TrimLeft(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

char AnsiUpperChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
    switch (u) {
        case 0x9A: return static_cast<char>(0x8A);  // s caron
        case 0x9C: return static_cast<char>(0x8C);  // oe
        case 0x9E: return static_cast<char>(0x8E);  // z caron
        case 0xFF: return static_cast<char>(0x9F);  // y diaeresis
        default: return c;
    }
}

char AnsiLowerChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
    switch (u) {
        case 0x8A: return static_cast<char>(0x9A);
        case 0x8C: return static_cast<char>(0x9C);
        case 0x8E: return static_cast<char>(0x9E);
        case 0x9F: return static_cast<char>(0xFF);
        default: return c;
    }
}

std::string AnsiUpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AnsiUpperChar(c);
    return out;
}

std::string AnsiLowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AnsiLowerChar(c);
    return out;
}

namespace {
// AnsiUpperChar of every byte, for comparisons that fold many characters.
struct UpperTable {
    unsigned char upper[256];
    UpperTable() {
        for (int c = 0; c < 256; ++c) {
            upper[c] = static_cast<unsigned char>(AnsiUpperChar(static_cast<char>(c)));
        }
    }
};
const UpperTable& Upper() {
    static const UpperTable table;
    return table;
}
}  // namespace

int AnsiCompareText(std::string_view a, std::string_view b) {
    const unsigned char* upper = Upper().upper;
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        if (a[i] == b[i]) continue;
        const unsigned char ca = upper[static_cast<unsigned char>(a[i])];
        const unsigned char cb = upper[static_cast<unsigned char>(b[i])];
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    // Most texts compared are short and equal as they stand: the table is reached only at
    // the first byte that differs.
    size_t i = 0;
    while (i < a.size() && a[i] == b[i]) ++i;
    return i == a.size() || AnsiCompareText(a.substr(i), b.substr(i)) == 0;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::optional<int64_t> TryStrToInt64(std::string_view s) {
    const std::string t = Trim(s);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    uint64_t value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        const auto digit = static_cast<uint64_t>(t[i] - '0');
        // Checked before multiplying, so the value never wraps.
        if (value > ((1ULL << 63) - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (!negative && value == (1ULL << 63)) return std::nullopt;
    return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
}

std::string ReplaceTextIgnoreCase(std::string_view text, std::string_view pattern,
                                  std::string_view replacement) {
    if (pattern.empty()) return std::string(text);
    const std::string upperText = AnsiUpperCase(text);
    const std::string upperPattern = AnsiUpperCase(pattern);
    std::string out;
    size_t pos = 0;
    for (;;) {
        const size_t hit = upperText.find(upperPattern, pos);
        if (hit == std::string::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(replacement);
        pos = hit + pattern.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement) {
    if (pattern.empty()) return std::string(text);
    std::string out;
    size_t pos = 0;
    for (;;) {
        const size_t hit = text.find(pattern, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(replacement);
        pos = hit + pattern.size();
    }
    out.append(text.substr(pos));
    return out;
}

bool StartsWithText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

}  // namespace rb
