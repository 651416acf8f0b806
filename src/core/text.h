// Small text helpers for 8-bit (code page 1252) strings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rb {

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

std::string Trim(std::string_view s);        // removes characters 0..32 at both ends
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Case mapping and comparison by the rules of code page 1252 (accented letters included).
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
int AnsiCompareText(std::string_view a, std::string_view b);  // 0 when equal ignoring case
bool SameText(std::string_view a, std::string_view b);

std::string IntToStr(int64_t value);
// Whole decimal number with optional sign and surrounding blanks; nothing else accepted.
std::optional<int64_t> TryStrToInt64(std::string_view s);

// Every occurrence of `pattern` replaced, compared without regard to case.
std::string ReplaceTextIgnoreCase(std::string_view text, std::string_view pattern,
                                  std::string_view replacement);
// Every occurrence of `pattern` replaced, exact comparison.
std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement);

bool StartsWithText(std::string_view text, std::string_view prefix);  // ignoring case

}  // namespace rb
