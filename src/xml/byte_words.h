// Tests on eight bytes at once, for the scans of the writer and of the plain reader: a run of
// bytes none of which matters is passed a word at a time.
#pragma once

#include <cstdint>
#include <cstring>

namespace rb::xml_detail {

constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighs = 0x8080808080808080ULL;

inline uint64_t LoadWord(const char* at) {
    uint64_t word;
    std::memcpy(&word, at, 8);
    return word;
}

// Non-zero when a byte of `word` equals `c`.
inline uint64_t Equal(uint64_t word, unsigned char c) {
    const uint64_t x = word ^ (kOnes * c);
    return (x - kOnes) & ~x & kHighs;
}

// Non-zero when a byte of `word` is below `n` (n at most 128).
inline uint64_t Below(uint64_t word, unsigned char n) { return (word - kOnes * n) & ~word & kHighs; }

// Both tests may also mark bytes after the first one that holds, never before it: the lowest
// mark is exact. Words are read in memory order on the little-endian machines this runs on,
// so the lowest mark is the first such byte.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "words are read little-endian");
inline unsigned FirstMarked(uint64_t marks) {
    return static_cast<unsigned>(__builtin_ctzll(marks)) / 8;
}

}  // namespace rb::xml_detail
