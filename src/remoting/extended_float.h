// The 80-bit x87 extended float as it travels: 64-bit mantissa with an explicit integer bit,
// then 15-bit exponent (bias 16383) and sign, little-endian. Converted by arithmetic, so the
// result does not depend on how the compiler lays out long double.
#pragma once

#include <array>
#include <cstdint>

namespace rb {

std::array<uint8_t, 10> EncodeExtended(long double value);
long double DecodeExtended(const std::array<uint8_t, 10>& bytes);

}  // namespace rb
