// The binary message: one remote call as bytes, and one reply back into values.
//
//   offset 0   "RO107"
//          5   flags (bit 0: the body is one zlib stream)
//          6   message type (0 call or result, 1 exception reply)
//          7   5 reserved bytes
//          12  ClientID (16 bytes, in-memory GUID layout)
//          28  body: interface name and message name (32-bit length + ANSI bytes), then the
//              values in call order (stream_serializer.h); or, in an exception reply, the
//              exception's class name and message.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/event.h"
#include "core/exception.h"
#include "core/persistent.h"
#include "remoting/rc_interfaces.h"
#include "remoting/stream_serializer.h"
#include "remoting/zlib_stream.h"

namespace rb {

// An error the collecting service reported in an exception reply.
class ERCServerException : public Exception {
public:
    using Exception::Exception;
};

using TStreamOperation = Event<MemoryStream&>;
using TExceptionEvent = Event<const Exception&>;
// OriginalSize, CompressedSize, CompressionTime (milliseconds).
using TCompressionEvent = Event<int32_t, int32_t, int32_t>;

constexpr size_t kBinHeaderSize = 28;

// The 32-bit length and the bytes (only the length for an empty text).
void WriteLengthString(MemoryStream& stream, std::string_view text);
// Reads a text written by WriteLengthString. Raises "Unexpected end of stream." when the length
// is cut short and "Stream read error: Invalid string length \"<n>\"" when a non-negative
// `limit` is smaller than the length; a length of 0 or less gives an empty text.
void ReadLengthString(MemoryStream& stream, int32_t limit, std::string& text);

// The message part every format shares: names, client identifier, serializer, events.
class TRCMessage : public Component, public IRCMessage {
    RB_PERSISTENT_CLASS
public:
    // Generates the ClientID.
    explicit TRCMessage(Component* owner = nullptr);

    void Finalize() override {}
    Guid GetClientID() const override { return clientID_; }
    void SetClientID(const Guid& id) override { clientID_ = id; }
    void Write(const std::string& name, const RCTypeInfo& type, const void* value,
               TRCParamFlags flags) override;
    void Read(const std::string& name, const RCTypeInfo& type, void* variable,
              TRCParamFlags flags) override;
    std::string GetInterfaceName() const override { return interfaceName_; }
    std::string GetMessageName() const override { return messageName_; }
    void SetInterfaceName(const std::string& value) override { interfaceName_ = value; }
    void SetMessageName(const std::string& value) override { messageName_ = value; }

    // An exception class the client recreates by name from exception replies (none in this
    // program: every server error arrives as ERCServerException).
    template <class E>
    void RegisterServerException(std::string className) {
        static_assert(std::is_base_of_v<Exception, E>, "server exceptions are rb::Exception");
        serverExceptions_.emplace_back(std::move(className), [](const std::string& text) {
            return std::make_exception_ptr(E(text));
        });
    }

    TStreamOperation OnWriteToStream;
    TStreamOperation OnReadFromStream;
    TExceptionEvent OnServerException;

protected:
    // The registered class named `className` (ignoring case), else ERCServerException.
    std::exception_ptr ServerException(const std::string& className, const std::string& text) const;

    std::string interfaceName_;
    std::string messageName_;
    Guid clientID_{};
    TRCStreamSerializer serializer_;

private:
    using Maker = std::exception_ptr (*)(const std::string&);
    std::vector<std::pair<std::string, Maker>> serverExceptions_;
};

class TRCBinMessage : public TRCMessage {
    RB_PERSISTENT_CLASS
public:
    explicit TRCBinMessage(Component* owner = nullptr) : TRCMessage(owner) {}

    using IRCMessage::Initialize;
    void Initialize(IRCTransportBase* transport, const std::string& interfaceName,
                    const std::string& messageName) override;
    void Initialize(IRCTransportBase* transport, const std::string& libraryName,
                    const std::string& interfaceName, const std::string& messageName) override;
    // Header and body, compressed when UseCompression; leaves the destination at position 0.
    void WriteToStream(MemoryStream& destination) override;
    // Parses a reply; an exception reply raises the server's exception here.
    void ReadFromStream(MemoryStream& source) override;
    void WriteException(MemoryStream& destination, const std::exception& error) override;
    void WriteException(MemoryStream& destination, const std::string& className,
                        const std::string& message);

    // The current body (nullptr before the first Initialize or reply).
    const MemoryStream* Body() const { return body_.get(); }

    bool UseCompression = true;
    int32_t CompressionBufferSize = 262144;  // inflate buffer; never less than 10240 is used
    size_t MaxInflatedSize = kMaxInflatedBody;  // a compressed body inflating past it is refused
    TCompressionEvent OnCompress;
    TCompressionEvent OnDecompress;

private:
    void NewBody();
    void WriteMessage(MemoryStream& destination, uint8_t messageType);
    [[noreturn]] void RaiseServerException();

    std::unique_ptr<MemoryStream> body_;
};

// The start of a received stream made readable for an error message: at most 500 bytes, every
// byte other than CR and 0x20..0x7F shown as ".".
std::string BinaryDump(const MemoryStream& stream);

}  // namespace rb
