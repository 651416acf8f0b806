// Building and inspecting remote-call bytes in tests: hex texts, little-endian fields, zlib.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rb::wire {

// "52 4F 31" -> bytes (blanks ignored).
std::string Hex(std::string_view text);
// Bytes -> "52 4F 31", for readable failures.
std::string ToHex(std::string_view bytes);

std::string Le32(uint32_t value);
// A 32-bit length and the bytes, as names, ANSI strings and exception texts travel.
std::string Ansi(std::string_view text);
// A 32-bit count of UTF-16 units and the units, little-endian.
std::string Wide(std::u16string_view text);

// A 28-byte header: "RO107", flags, message type, five zero bytes, the client identifier.
std::string Header(uint8_t flags, uint8_t type, std::string_view clientID);

std::string Deflate(std::string_view bytes);  // zlib stream, level 9
std::string Inflate(std::string_view zlib);

}  // namespace rb::wire
