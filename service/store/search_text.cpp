#include "service/store/search_text.h"

#include <algorithm>

#include "core/cp1252.h"
#include "core/text.h"

namespace rb::service {

std::string SearchCopy(std::string_view cp1252) {
    std::string folded = AnsiLowerCase(cp1252);
    std::replace(folded.begin(), folded.end(), '\0', ' ');  // a text column holds no NUL
    return Cp1252ToUtf8(folded);
}

std::string SearchCopy(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return SearchCopy(text);
}

std::string LikeAnywhere(const std::string& utf8) {
    std::string pattern = "%";
    for (const char c : utf8) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

size_t Letters(const std::string& utf8) {
    size_t n = 0;
    for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

}  // namespace rb::service
