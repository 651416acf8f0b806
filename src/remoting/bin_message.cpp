#include "remoting/bin_message.h"

#include <algorithm>

#include "core/text.h"
#include "platform/platform.h"
#include "remoting/zlib_stream.h"

namespace rb {
namespace {

constexpr char kSignature[5] = {'R', 'O', '1', '0', '7'};
constexpr uint8_t kFlagCompressed = 0x01;
constexpr uint8_t kMessageCall = 0;
constexpr uint8_t kMessageException = 1;
constexpr size_t kMinInflateBuffer = 10240;
constexpr int32_t kNameLimit = 256;
constexpr int32_t kExceptionTextLimit = 65536;

// Content types by message kind; the binary message is kind 1.
const char* const kDataFormats[2] = {"text/xml", "application/binary"};
constexpr int kBinaryFormat = 1;

struct BinHeader {
    uint8_t bytes[kBinHeaderSize] = {'R', 'O', '1', '0', '7'};

    uint8_t& Flags() { return bytes[5]; }
    uint8_t& MessageType() { return bytes[6]; }
    uint8_t* ClientID() { return bytes + 12; }
    bool SignatureValid() const { return std::equal(kSignature, kSignature + 5, bytes); }
};

std::string ExceptionClassName(const std::exception& error) {
    if (dynamic_cast<const ERCServerException*>(&error)) return "ERCServerException";
    if (dynamic_cast<const EAbort*>(&error)) return "EAbort";
    return "Exception";
}

}  // namespace

const ClassInfo& TRCBinMessage::StaticClass() {
    using C = TRCBinMessage;
    static const ClassInfo info("TRCBinMessage", &TRCMessage::StaticClass(),
                                {Prop<&C::UseCompression>("UseCompression"),
                                 Prop<&C::CompressionBufferSize>("CompressionBufferSize")},
                                MakeInstance<TRCBinMessage>);
    return info;
}

void TRCBinMessage::Initialize(IRCTransportBase* transport, const std::string& interfaceName,
                               const std::string& messageName) {
    interfaceName_ = interfaceName;
    messageName_ = messageName;
    if (auto* http = dynamic_cast<IRCHTTPTransportInfo*>(transport)) {
        http->SetContentType(kDataFormats[kBinaryFormat]);
        http->SetUserAgent("Kestrin Remoting");
    }
    NewBody();
    WriteLengthString(*body_, interfaceName_);
    WriteLengthString(*body_, messageName_);
}

void TRCBinMessage::Initialize(IRCTransportBase* transport, const std::string&,
                               const std::string& interfaceName, const std::string& messageName) {
    Initialize(transport, interfaceName, messageName);
}

void TRCBinMessage::NewBody() {
    body_ = std::make_unique<MemoryStream>();
    serializer_.SetStream(body_.get());
}

void TRCBinMessage::WriteToStream(MemoryStream& destination) {
    WriteMessage(destination, kMessageCall);
    if (OnWriteToStream.Assigned()) {
        destination.SetPosition(0);
        OnWriteToStream(destination);
    }
    destination.SetPosition(0);
}

void TRCBinMessage::WriteMessage(MemoryStream& destination, uint8_t messageType) {
    if (!body_) NewBody();
    BinHeader header;
    header.Flags() = UseCompression ? kFlagCompressed : 0;
    header.MessageType() = messageType;
    std::copy(clientID_.begin(), clientID_.end(), header.ClientID());
    destination.Write(header.bytes, kBinHeaderSize);
    if (UseCompression) {
        platform::SystemArea& p = platform::Current().System();
        const uint32_t start = p.TickCount();
        DeflateInto(destination, body_->Data(), body_->Size());
        OnCompress(static_cast<int32_t>(body_->Size()), static_cast<int32_t>(destination.Size()),
                   static_cast<int32_t>(p.TickCount() - start));
    } else {
        destination.Write(body_->Data(), body_->Size());
    }
    body_->SetPosition(0);
}

void TRCBinMessage::ReadFromStream(MemoryStream& source) {
    OnReadFromStream(source);
    source.SetPosition(0);
    body_.reset();
    serializer_.SetStream(nullptr);

    BinHeader header;
    std::fill(std::begin(header.bytes), std::end(header.bytes), 0);
    source.Read(header.bytes, kBinHeaderSize);  // a short reply leaves zeros
    if (!header.SignatureValid()) {
        throw Exception("Invalid binary header. Either incompatible or not a binary message.\r\r" +
                        BinaryDump(source));
    }
    const uint8_t type = header.MessageType();
    if (type != kMessageCall && type != kMessageException) {
        // Neither a result nor an exception: reading values from it would only give garbage.
        throw Exception(
            Format("Invalid binary message type %d. Either incompatible or not a "
                   "binary message.",
                   type));
    }
    std::copy(header.ClientID(), header.ClientID() + 16, clientID_.begin());

    if (header.Flags() & kFlagCompressed) {
        platform::SystemArea& p = platform::Current().System();
        const uint32_t start = p.TickCount();
        const size_t wanted = CompressionBufferSize > 0 ? size_t(CompressionBufferSize) : 0;
        const size_t buffer = std::max(kMinInflateBuffer, wanted);
        body_ = InflateFrom(source, buffer, MaxInflatedSize);
        OnDecompress(static_cast<int32_t>(body_->Size()), static_cast<int32_t>(source.Size()),
                     static_cast<int32_t>(p.TickCount() - start));
        body_->SetPosition(0);
    } else {
        // A copy of the whole reply, read from just after the header: the message keeps its
        // body after the call, when the caller's reply stream is gone.
        body_ = std::make_unique<MemoryStream>(source.Bytes());
        body_->SetPosition(kBinHeaderSize);
    }
    serializer_.SetStream(body_.get());

    if (type == kMessageException) RaiseServerException();
    ReadLengthString(*body_, kNameLimit, interfaceName_);
    ReadLengthString(*body_, kNameLimit, messageName_);
}

void TRCBinMessage::RaiseServerException() {
    std::string className;
    std::string text;
    ReadLengthString(*body_, kNameLimit, className);
    ReadLengthString(*body_, kExceptionTextLimit, text);
    try {
        std::rethrow_exception(
            ServerException(className, "An exception occurred on the server:\r\r" + text));
    } catch (const Exception& e) {
        OnServerException(e);  // the handler sees the very object that is raised
        throw;
    }
}

void TRCBinMessage::WriteException(MemoryStream& destination, const std::exception& error) {
    WriteException(destination, ExceptionClassName(error), error.what());
}

void TRCBinMessage::WriteException(MemoryStream& destination, const std::string& className,
                                   const std::string& message) {
    NewBody();
    WriteLengthString(*body_, className);
    WriteLengthString(*body_, message);
    WriteMessage(destination, kMessageException);
}

}  // namespace rb
