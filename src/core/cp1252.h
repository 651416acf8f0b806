// Conversions between the program's 8-bit texts (code page 1252) and UTF-16 / UTF-8.
// Used only at the boundaries: the remote call's wide strings, the wide Windows calls and
// console output on a UTF-8 terminal.
#pragma once

#include <string>
#include <string_view>

namespace rb {

std::u16string Cp1252ToUtf16(std::string_view text);
// Characters code page 1252 cannot hold become '?'.
std::string Utf16ToCp1252(std::u16string_view text);

std::string Cp1252ToUtf8(std::string_view text);
// Invalid sequences and characters outside code page 1252 become '?'.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace rb
