#include "remoting/kestrin_service.h"

namespace rb {

std::string TRCProxy::InterfaceName() const {
    return interfaceName_.empty() ? DefaultInterfaceName() : interfaceName_;
}

std::u16string TRCProxy::Call(const char* messageName,
                              std::initializer_list<Parameter> parameters) {
    MemoryStream request;
    MemoryStream reply;
    message_.Initialize(&channel_, "KestrinLibrary", InterfaceName(), messageName);
    for (const auto& [name, value] : parameters) message_.WriteValue(name, *value);
    message_.Finalize();
    message_.WriteToStream(request);
    channel_.Dispatch(request, reply);
    message_.ReadFromStream(reply);
    std::u16string result;
    message_.ReadValue("Result", result);
    return result;
}

std::u16string TKestrinService_Proxy::AddInfo(const std::u16string& Nombre,
                                              const std::u16string& Telefono,
                                              const std::u16string& Datos,
                                              const std::u16string& Observaciones) {
    return Call("AddInfo", {{"Nombre", &Nombre},
                            {"Telefono", &Telefono},
                            {"Datos", &Datos},
                            {"Observaciones", &Observaciones}});
}

std::u16string TKestrinService_Proxy::RequestInfo(const std::u16string& id) {
    return Call("RequestInfo", {{"id", &id}});
}

std::u16string TKestrinService_Proxy::AddInfoFromRequest(const std::u16string& Nombre,
                                                         const std::u16string& Telefono,
                                                         const std::u16string& Datos,
                                                         const std::u16string& Observaciones,
                                                         const std::u16string& Destino) {
    return Call("AddInfoFromRequest", {{"Nombre", &Nombre},
                                       {"Telefono", &Telefono},
                                       {"Datos", &Datos},
                                       {"Observaciones", &Observaciones},
                                       {"Destino", &Destino}});
}

std::u16string TKestrinService_Proxy::MyIp() {
    return Call("MyIp", {});
}

std::unique_ptr<IKestrinService> CoKestrinService::Create(IRCMessage& message,
                                                          IRCChannel& channel) {
    return std::make_unique<TKestrinService_Proxy>(message, channel);
}

}  // namespace rb
