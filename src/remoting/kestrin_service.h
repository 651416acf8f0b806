// The collecting service as the client sees it: IKestrinService, its proxy, and the factory
// the connection module uses. A call becomes one binary message posted through the channel;
// the reply's "Result" is the call's result.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "remoting/rc_interfaces.h"

namespace rb {

class IKestrinService {
public:
    static constexpr const char* kIID = "{9C1E27A4-63B2-4D0F-8E55-2A7D41C0B913}";
    virtual ~IKestrinService() = default;

    virtual std::u16string AddInfo(const std::u16string& Nombre, const std::u16string& Telefono,
                                   const std::u16string& Datos,
                                   const std::u16string& Observaciones) = 0;
    virtual std::u16string RequestInfo(const std::u16string& id) = 0;
    virtual std::u16string AddInfoFromRequest(const std::u16string& Nombre,
                                              const std::u16string& Telefono,
                                              const std::u16string& Datos,
                                              const std::u16string& Observaciones,
                                              const std::u16string& Destino) = 0;
    virtual std::u16string MyIp() = 0;
};

// A proxy holds the message and channel it calls through without owning them: both belong to
// the connection module and outlive every proxy.
class TRCProxy {
public:
    TRCProxy(IRCMessage& message, IRCChannel& channel, std::string interfaceName = "")
        : message_(message), channel_(channel), interfaceName_(std::move(interfaceName)) {}
    virtual ~TRCProxy() = default;
    TRCProxy(const TRCProxy&) = delete;
    TRCProxy& operator=(const TRCProxy&) = delete;

    // The override given at construction, else the proxy class's own name.
    std::string InterfaceName() const;

protected:
    virtual std::string DefaultInterfaceName() const = 0;

    using Parameter = std::pair<const char*, const std::u16string*>;
    // One call: the parameters written in order, the reply's wide-string "Result" returned.
    std::u16string Call(const char* messageName, std::initializer_list<Parameter> parameters);

private:
    IRCMessage& message_;
    IRCChannel& channel_;
    std::string interfaceName_;
};

class TKestrinService_Proxy : public TRCProxy, public IKestrinService {
public:
    using TRCProxy::TRCProxy;

    std::u16string AddInfo(const std::u16string& Nombre, const std::u16string& Telefono,
                           const std::u16string& Datos,
                           const std::u16string& Observaciones) override;
    std::u16string RequestInfo(const std::u16string& id) override;
    std::u16string AddInfoFromRequest(const std::u16string& Nombre, const std::u16string& Telefono,
                                      const std::u16string& Datos,
                                      const std::u16string& Observaciones,
                                      const std::u16string& Destino) override;
    std::u16string MyIp() override;

protected:
    std::string DefaultInterfaceName() const override { return "KestrinService"; }
};

class CoKestrinService {
public:
    static std::unique_ptr<IKestrinService> Create(IRCMessage& message, IRCChannel& channel);
};

}  // namespace rb
