// The interfaces through which the service proxy, the message and the channel meet. Their
// identifiers are fixed; here they are data, since C++ finds a second interface of an object
// with dynamic_cast rather than by identifier.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <string>

#include "remoting/memory_stream.h"
#include "remoting/rc_types.h"

namespace rb {

class TRCTransportChannel;

// A GUID in its in-memory layout: 32-bit, 16-bit and 16-bit little-endian fields, then 8 bytes.
using Guid = std::array<uint8_t, 16>;

// What the channel is reached through.
class IRCTransportBase {
public:
    static constexpr const char* kIID = "{B04D6E93-2C7A-4F18-A3E1-5D9C07F2864A}";
    virtual ~IRCTransportBase() = default;
    virtual TRCTransportChannel* GetTransportObject() = 0;
};

// What the proxy holds: carries one request and brings back its reply.
class IRCChannel : public virtual IRCTransportBase {
public:
    static constexpr const char* kIID = "{71C3A8E5-D02F-4B69-8E4A-9F1B3C6D5027}";
    virtual void Dispatch(MemoryStream& request, MemoryStream& response) = 0;
};

// Offered by HTTP channels only: the message sets the content type and user agent through it.
class IRCHTTPTransportInfo : public virtual IRCTransportBase {
public:
    static constexpr const char* kIID = "{E6A2F04B-7D35-4C8E-B19F-28C4D7A0E351}";
    virtual std::string GetPathInfo() = 0;  // always empty
    // Appends "name: value" to the headers of the next request.
    virtual void SetHeader(const std::string& name, const std::string& value) = 0;
    virtual std::string GetHeader(const std::string& name) = 0;  // always empty
    virtual std::string GetContentType() = 0;                    // the header: hence empty
    virtual void SetContentType(const std::string& value) = 0;   // SetHeader("Content-Type")
    virtual std::string GetUserAgent() = 0;
    virtual void SetUserAgent(const std::string& value) = 0;
    virtual std::string GetTargetURL() = 0;
    virtual void SetTargetURL(const std::string& value) = 0;
    virtual std::string GetRemoteAddress() = 0;  // always empty
    virtual std::string GetLocalAddress() = 0;   // always empty
};

// Parameter flags of Write and Read; the binary message ignores them (the proxy passes none).
using TRCParamFlags = uint32_t;

// One remote call as a message: names, parameters, and the bytes of request and reply.
class IRCMessage {
public:
    static constexpr const char* kIID = "{3E8F5D21-A94C-4B7E-9D06-C1F27A8B4E35}";
    virtual ~IRCMessage() = default;

    virtual void Initialize(IRCTransportBase* transport, const std::string& interfaceName,
                            const std::string& messageName) = 0;
    // The library name is accepted and dropped.
    virtual void Initialize(IRCTransportBase* transport, const std::string& libraryName,
                            const std::string& interfaceName, const std::string& messageName) = 0;
    virtual void Finalize() = 0;
    virtual Guid GetClientID() const = 0;
    virtual void SetClientID(const Guid& id) = 0;
    // `value` / `variable`: the address of a value of the type `type` describes.
    virtual void Write(const std::string& name, const RCTypeInfo& type, const void* value,
                       TRCParamFlags flags) = 0;
    virtual void Read(const std::string& name, const RCTypeInfo& type, void* variable,
                      TRCParamFlags flags) = 0;
    virtual std::string GetInterfaceName() const = 0;
    virtual std::string GetMessageName() const = 0;
    virtual void SetInterfaceName(const std::string& value) = 0;
    virtual void SetMessageName(const std::string& value) = 0;
    virtual void WriteToStream(MemoryStream& destination) = 0;
    virtual void ReadFromStream(MemoryStream& source) = 0;
    virtual void WriteException(MemoryStream& destination, const std::exception& error) = 0;

    template <class T>
    void WriteValue(const std::string& name, const T& value) {
        Write(name, TypeInfoOf<T>(), &value, 0);
    }
    template <class T>
    void ReadValue(const std::string& name, T& variable) {
        Read(name, TypeInfoOf<T>(), &variable, 0);
    }
};

}  // namespace rb
