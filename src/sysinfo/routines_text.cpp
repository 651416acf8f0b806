// Locale-neutral numbers and dates, and the small text helpers of the sections.
#include <charconv>
#include <cmath>

#include "core/datetime.h"
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines_text.h"

namespace rb {
namespace {

// Mantissa and exponent of the framework's general format: no "+" and no leading zeros in the
// exponent ("1E20", "1.5E-7").
std::string GeneralExponent(const std::string& c) {
    const size_t e = c.find('e');
    if (e == std::string::npos) return c;
    std::string out = c.substr(0, e) + "E";
    size_t i = e + 1;
    if (c[i] == '-') out += '-';
    if (c[i] == '-' || c[i] == '+') ++i;
    while (i + 1 < c.size() && c[i] == '0') ++i;
    return out + c.substr(i);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Sign, digits with an optional "." and an optional exponent, with blanks around; the framework
// accepts exactly this.
bool IsNeutralNumber(std::string_view s) {
    size_t i = 0;
    auto digits = [&] {
        const size_t start = i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        return i - start;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t mantissa = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == s.size();
}

}  // namespace

std::string FloatToNeutralText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";  // also for -0
    // 15 significant digits, shortest form; fixed from 1E-4 up to below 1E15.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return GeneralExponent(std::string(buf, r.ptr));
}

std::string GroupedNumber(int64_t value, char separator) {
    const std::string digits = IntToStr(value < 0 ? -value : value);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

double NeutralTextToFloat(std::string_view text) {
    std::string s(text);
    if (s.find('.') == std::string::npos) s = ReplaceAll(s, ",", ".");
    const std::string t = Trim(s);
    double value = 0;
    if (IsNeutralNumber(t)) {
        const char* first = t.c_str() + (t[0] == '+' ? 1 : 0);
        const auto r = std::from_chars(first, t.c_str() + t.size(), value);
        if (r.ec == std::errc() && std::isfinite(value)) return value;
    }
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

std::string NeutralTextToDateTime(std::string_view text) {
    const double value = NeutralTextToFloat(text);
    const platform::LocaleFormats locale = platform::Current().System().Locale();
    DateTimeTexts texts;
    texts.dateSeparator = locale.dateSeparator;
    texts.timeSeparator = locale.timeSeparator;
    texts.am = locale.timeAmString;
    texts.pm = locale.timePmString;
    return DateTimeToText(value, locale.shortDateFormat, locale.longTimeFormat, texts);
}

std::string WideBufferToText(const std::vector<uint8_t>& buffer) {
    std::string out;
    for (size_t i = 0; i < buffer.size(); ++i) {
        if (buffer[i] != 0) {
            out += static_cast<char>(buffer[i]);
        } else if (i + 1 < buffer.size() && buffer[i + 1] == 0) {
            break;
        }
    }
    return out;
}

std::string ReplaceText(std::string_view text, std::string_view pattern,
                        std::string_view replacement) {
    return ReplaceTextIgnoreCase(text, pattern, replacement);
}

std::string RemoveBlanks(std::string_view text) {
    const std::string trimmed = Trim(text);
    return ReplaceAll(ReplaceAll(trimmed, " ", ""), "\r\n", "");
}

void ListToReport(const StringList& list, std::string_view countKey, std::string_view itemKey,
                  StringList& report) {
    const std::string count(countKey);
    const std::string item(itemKey);
    report.Add(Format("%s=%d", count.c_str(), list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        report.Add(Format("%s%d=%s", item.c_str(), i + 1, list[i].c_str()));
    }
}

std::string MediaTypeText(uint32_t driveType) {
    static const char* const kTexts[] = {"Desconocido", "Inexistente", "removible", "Fijo",
                                         "Remoto",      "CDROM",       "Memoria"};
    const uint32_t type = driveType & 0x7F;
    return type < 7 ? kTexts[type] : "";
}

}  // namespace rb
