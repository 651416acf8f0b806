// zlib (RFC 1950) compression of message bodies: deflate at level 9 with a 15-bit window and
// memory level 8, and inflate through a caller-sized buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "remoting/memory_stream.h"

namespace rb {

// A reply body is held in memory whole: a small compressed reply must not be able to inflate
// to more than this.
constexpr size_t kMaxInflatedBody = 256u << 20;

// Appends one zlib stream holding `size` bytes at `data` to `destination`, at its position.
void DeflateInto(MemoryStream& destination, const uint8_t* data, size_t size);
// Inflates the zlib stream that starts at the source's position, reading through a buffer of
// `bufferSize` bytes. Corrupt or truncated data raises zlib's own message.
std::unique_ptr<MemoryStream> InflateFrom(MemoryStream& source, size_t bufferSize,
                                          size_t maxSize = kMaxInflatedBody);

}  // namespace rb
