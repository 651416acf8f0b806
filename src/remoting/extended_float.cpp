#include "remoting/extended_float.h"

#include <cmath>
#include <limits>

namespace rb {
namespace {

constexpr int kBias = 16383;
constexpr int kMaxExponent = 0x7FFF;

std::array<uint8_t, 10> Pack(bool negative, int exponent, uint64_t mantissa) {
    std::array<uint8_t, 10> out{};
    for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(mantissa >> (8 * i));
    const unsigned top = (negative ? 0x8000u : 0u) | static_cast<unsigned>(exponent);
    out[8] = static_cast<uint8_t>(top);
    out[9] = static_cast<uint8_t>(top >> 8);
    return out;
}

}  // namespace

std::array<uint8_t, 10> EncodeExtended(long double value) {
    const bool negative = std::signbit(value);
    if (std::isnan(value)) return Pack(negative, kMaxExponent, 0xC000000000000000ull);
    if (std::isinf(value)) return Pack(negative, kMaxExponent, 0x8000000000000000ull);
    if (value == 0) return Pack(negative, 0, 0);
    int e = 0;
    const long double fraction = std::frexp(std::fabs(value), &e);  // in [0.5, 1)
    uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
    int exponent = e - 1 + kBias;
    if (exponent >= kMaxExponent) return Pack(negative, kMaxExponent, 0x8000000000000000ull);
    if (exponent <= 0) {  // below the normal range: a denormal, or zero when too small
        const int shift = 1 - exponent;
        mantissa = shift < 64 ? mantissa >> shift : 0;
        exponent = 0;
    }
    return Pack(negative, exponent, mantissa);
}

long double DecodeExtended(const std::array<uint8_t, 10>& bytes) {
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[i];
    const unsigned top = bytes[8] | (static_cast<unsigned>(bytes[9]) << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int exponent = static_cast<int>(top & 0x7FFFu);
    long double magnitude;
    if (exponent == kMaxExponent) {
        magnitude = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                         : std::numeric_limits<long double>::quiet_NaN();
    } else {
        // Denormals have exponent field 0 but scale as exponent 1.
        const int scale = (exponent == 0 ? 1 : exponent) - kBias - 63;
        magnitude = std::ldexp(static_cast<long double>(mantissa), scale);
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace rb
