#include "remoting/memory_stream.h"

#include <cstring>

namespace rb {

const RCClassInfo& MemoryStream::StaticClass() {
    static const RCClassInfo info("TMemoryStream", &RCObject::StaticClass(), {},
                                  MakeRCInstance<MemoryStream>);
    return info;
}

const RCClassInfo& TRCBinaryMemoryStream::StaticClass() {
    static const RCClassInfo info("TRCBinaryMemoryStream", &MemoryStream::StaticClass(), {},
                                  MakeRCInstance<TRCBinaryMemoryStream>);
    return info;
}

size_t MemoryStream::Read(void* buffer, size_t count) {
    const size_t n = count < Remaining() ? count : Remaining();
    if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

void MemoryStream::Write(const void* data, size_t count) {
    if (count == 0) return;
    if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, data, count);
    position_ += count;
}

void MemoryStream::SetSize(size_t size) {
    bytes_.resize(size);
}

}  // namespace rb
