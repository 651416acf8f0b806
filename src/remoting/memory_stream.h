// The streams of the remote call: bytes in memory with a position. Request, reply and message
// bodies are memory streams, and so are Binary values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "remoting/rc_types.h"

namespace rb {

class MemoryStream : public RCObject {
    RB_RC_CLASS
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    explicit MemoryStream(std::string_view bytes) : bytes_(bytes.begin(), bytes.end()) {}

    // Copies up to `count` bytes from the position on; answers how many there were.
    size_t Read(void* buffer, size_t count);
    // Writes at the position, growing the stream (with zeros when the position is past its end).
    void Write(const void* data, size_t count);
    void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }

    size_t Size() const { return bytes_.size(); }
    size_t Position() const { return position_; }
    size_t Remaining() const { return position_ < bytes_.size() ? bytes_.size() - position_ : 0; }
    void SetPosition(size_t position) { position_ = position; }
    void SetSize(size_t size);  // the position is kept, even past the new end
    void Clear() { bytes_.clear(), position_ = 0; }

    const uint8_t* Data() const { return bytes_.data(); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
};

// What a Binary value read from a reply becomes.
class TRCBinaryMemoryStream : public MemoryStream {
    RB_RC_CLASS
};

}  // namespace rb
