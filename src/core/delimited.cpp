#include "core/delimited.h"

namespace rb {

std::string QuotedStr(std::string_view text, char quote) {
    std::string out(1, quote);
    for (char c : text) {
        out += c;
        if (c == quote) out += c;
    }
    out += quote;
    return out;
}

std::string ExtractQuotedStr(std::string_view text, size_t& pos, char quote) {
    std::string out;
    if (pos >= text.size() || text[pos] != quote) return out;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == quote) {
            if (pos + 1 < text.size() && text[pos + 1] == quote) {
                out += quote;
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        out += text[pos++];
    }
    return out;
}

namespace {
bool IsBlank(char c) { return c >= 1 && static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::string ComposeDelimited(const std::vector<std::string>& items, char delimiter, char quote) {
    if (items.size() == 1 && items[0].empty()) return std::string(2, quote);
    std::string out;
    for (const std::string& item : items) {
        // Scanned as a C string: a NUL ends the scan and leaves the item unquoted.
        bool needsQuotes = false;
        for (char c : item) {
            if (c == '\0') break;
            if (static_cast<unsigned char>(c) <= 32 || c == quote || c == delimiter) {
                needsQuotes = true;
                break;
            }
        }
        out += needsQuotes ? QuotedStr(item, quote) : item;
        out += delimiter;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

std::vector<std::string> ParseDelimited(std::string_view text, char delimiter, char quote) {
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::vector<std::string> items;
    size_t pos = 0;
    const size_t n = text.size();
    while (pos < n && IsBlank(text[pos])) ++pos;
    while (pos < n) {
        if (text[pos] == quote) {
            items.push_back(ExtractQuotedStr(text, pos, quote));
        } else {
            const size_t start = pos;
            while (pos < n && static_cast<unsigned char>(text[pos]) > 32 && text[pos] != delimiter) {
                ++pos;
            }
            items.emplace_back(text.substr(start, pos - start));
        }
        while (pos < n && IsBlank(text[pos])) ++pos;
        if (pos < n && text[pos] == delimiter) {
            if (pos + 1 == n) items.emplace_back();
            do {
                ++pos;
            } while (pos < n && IsBlank(text[pos]));
        }
    }
    return items;
}

}  // namespace rb
