#include "core/text.h"
#include "platform/platform.h"
#include "remoting/bin_message.h"

namespace rb {

void WriteLengthString(MemoryStream& stream, std::string_view text) {
    const uint32_t length = static_cast<uint32_t>(text.size());
    const uint8_t bytes[4] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16),
                              uint8_t(length >> 24)};
    stream.Write(bytes, 4);
    stream.Write(text);
}

void ReadLengthString(MemoryStream& stream, int32_t limit, std::string& text) {
    uint8_t bytes[4];
    if (stream.Read(bytes, 4) < 4) throw Exception("Unexpected end of stream.");
    const int32_t length =
        static_cast<int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24);
    if (limit >= 0 && limit < length) {
        throw Exception(Format("Stream read error: Invalid string length \"%d\"", int(length)));
    }
    // Only what the stream holds: a length cannot make us allocate more than that.
    const size_t wanted = length > 0 ? static_cast<size_t>(length) : 0;
    text.assign(wanted < stream.Remaining() ? wanted : stream.Remaining(), '\0');
    stream.Read(text.data(), text.size());
}

std::string BinaryDump(const MemoryStream& stream) {
    const size_t n = stream.Size() < 500 ? stream.Size() : 500;
    std::string dump(reinterpret_cast<const char*>(stream.Data()), n);
    for (char& c : dump) {
        const auto b = static_cast<unsigned char>(c);
        if (b != 0x0D && (b < 0x20 || b > 0x7F)) c = '.';
    }
    return dump;
}

const ClassInfo& TRCMessage::StaticClass() {
    static const ClassInfo info("TRCMessage", &Component::StaticClass(), {});
    return info;
}

TRCMessage::TRCMessage(Component* owner)
    : Component(owner), clientID_(platform::Current().System().NewGuid()) {}

void TRCMessage::Write(const std::string& name, const RCTypeInfo& type, const void* value,
                       TRCParamFlags) {
    serializer_.Write(name, type, value);
}

void TRCMessage::Read(const std::string& name, const RCTypeInfo& type, void* variable,
                      TRCParamFlags) {
    serializer_.Read(name, type, variable);
}

std::exception_ptr TRCMessage::ServerException(const std::string& className,
                                               const std::string& text) const {
    for (const auto& [name, make] : serverExceptions_) {
        if (SameText(name, className)) return make(text);
    }
    return std::make_exception_ptr(ERCServerException(text));
}

}  // namespace rb
