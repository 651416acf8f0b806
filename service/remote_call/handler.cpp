#include "service/remote_call/handler.h"

#include <cstdio>
#include <exception>

#include "core/cp1252.h"
#include "core/exception.h"
#include "core/text.h"
#include "remoting/bin_message.h"
#include "service/filing/filing.h"

namespace rb::service {
namespace {

const char* const kInterfaceName = "KestrinService";

// One call being answered.
struct Call {
    const char* operation;
    TRCBinMessage& message;
    const std::string& peer;
    Store& store;
    const Limits& limits;

    // The next wide-string parameter, checked against what the body holds before it is read:
    // the serializer would quietly give a short or empty string for a truncated body.
    // `tooLong`, when given, is the message for a length over the limit (with the limit).
    std::u16string ReadWide(const char* name, size_t limit, const char* tooLong = nullptr) {
        const MemoryStream& body = *message.Body();
        if (body.Remaining() < 4) throw Exception("Unexpected end of stream.");
        const uint8_t* p = body.Data() + body.Position();
        const int32_t length =
            static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24);
        if (tooLong && length > 0 && static_cast<size_t>(length) > limit) {
            throw Exception(Format(tooLong, unsigned(limit)));
        }
        if (length < 0 || static_cast<size_t>(length) > limit) {
            throw Exception(Format("Stream read error: Invalid string length \"%d\"", length));
        }
        if (2 * static_cast<size_t>(length) > body.Remaining() - 4) {
            throw Exception("Unexpected end of stream.");
        }
        std::u16string value;
        message.ReadValue(name, value);
        return value;
    }
    std::string ReadField(const char* name) {
        return Utf16ToCp1252(ReadWide(name, limits.maxField));
    }
    // After the last parameter: nothing may follow it. Checked before the operation acts.
    void EndOfParameters() const {
        if (message.Body()->Remaining() != 0) {
            throw Exception(Format("La llamada a %s trae datos de más", operation));
        }
    }
};

std::u16string StoreInventory(Call& call, bool withDestino) {
    Inventory inventory;
    inventory.header.Nombre = call.ReadField("Nombre");
    inventory.header.Telefono = call.ReadField("Telefono");
    inventory.xml = Utf16ToCp1252(call.ReadWide(
        "Datos", call.limits.maxDatos, "Los datos del inventario pasan del límite de %u caracteres"));
    inventory.header.Observaciones = call.ReadField("Observaciones");
    if (withDestino) inventory.header.Destino = call.ReadField("Destino");
    call.EndOfParameters();
    inventory.received = UtcNow();
    inventory.peer = call.peer;
    inventory.clientId = GuidText(call.message.GetClientID());
    inventory.operation = call.operation;
    inventory.sections = SelectedSections(inventory.xml);
    return Cp1252ToUtf16(ReceiptText(KeepInventory(call.store, inventory)));
}

std::u16string AddInfo(Call& call) {
    return StoreInventory(call, false);
}

std::u16string AddInfoFromRequest(Call& call) {
    return StoreInventory(call, true);
}

// The stored inventory as package text, so a client can check what arrived.
std::u16string RequestInfo(Call& call) {
    const std::string id = Trim(call.ReadField("id"));
    call.EndOfParameters();
    const bool number =
        !id.empty() && id.size() <= 18 && id.find_first_not_of("0123456789") == std::string::npos;
    const std::optional<Inventory> inventory =
        number ? call.store.GetInventory(std::stoll(id)) : std::nullopt;
    if (!inventory) {
        throw Exception(Format("No hay ningún inventario con el número \"%s\"", id.c_str()));
    }
    return Cp1252ToUtf16(PackageText(*inventory));
}

std::u16string MyIp(Call& call) {
    call.EndOfParameters();
    return Cp1252ToUtf16(call.peer);
}

struct Operation {
    const char* name;
    std::u16string (*run)(Call&);
};
const Operation kOperations[] = {
    {"AddInfo", AddInfo},
    {"RequestInfo", RequestInfo},
    {"AddInfoFromRequest", AddInfoFromRequest},
    {"MyIp", MyIp},
};

std::string Bytes(const MemoryStream& stream) {
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

Reply Answer(std::string_view body, const std::string& peer, Store& store,
             const Limits& limits, TRCBinMessage& request) {
    if (body.size() > limits.maxBody) {
        throw Exception(Format("Petición demasiado grande (%u bytes)", unsigned(body.size())));
    }
    MemoryStream stream(body);
    request.MaxInflatedSize = limits.maxInflated;
    request.ReadFromStream(stream);
    if (!SameText(request.GetInterfaceName(), kInterfaceName)) {
        throw Exception(Format("Interfaz desconocida: \"%s\"", request.GetInterfaceName().c_str()));
    }
    for (const Operation& operation : kOperations) {
        if (!SameText(request.GetMessageName(), operation.name)) continue;
        Call call{operation.name, request, peer, store, limits};
        const std::u16string result = operation.run(call);
        return Reply{200, ResultMessage(request.GetClientID(), operation.name, result)};
    }
    throw Exception(Format("Operación desconocida: \"%s\"", request.GetMessageName().c_str()));
}

}  // namespace

Reply HandleMessage(std::string_view body, const std::string& peer, Store& store,
                    const Limits& limits) {
    TRCBinMessage request;
    try {
        try {
            return Answer(body, peer, store, limits, request);
        } catch (const std::bad_alloc&) {
            throw Exception("Sin memoria para atender la petición");
        }
    } catch (const std::exception& e) {
        // The client's own identifier when its header got that far (ReadFromStream takes it).
        TRCBinMessage reply;
        reply.SetClientID(request.GetClientID());
        MemoryStream out;
        reply.WriteException(out, e);
        return Reply{500, Bytes(out)};
    }
}

std::string ResultMessage(const Guid& clientId, const char* operation,
                          const std::u16string& result) {
    TRCBinMessage reply;
    reply.SetClientID(clientId);
    reply.Initialize(nullptr, kInterfaceName, operation);
    reply.WriteValue("Result", result);
    MemoryStream out;
    reply.WriteToStream(out);
    return Bytes(out);
}

std::string ReceiptText(int64_t id) {
    return Format("Recibido: inventario %lld", static_cast<long long>(id));
}

std::string PackageText(const Inventory& inventory) {
    return BuildHeaderText(inventory.header) + inventory.xml;
}

std::string GuidText(const Guid& id) {
    char text[40];
    std::snprintf(text, sizeof text,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", id[3],
                  id[2], id[1], id[0], id[5], id[4], id[7], id[6], id[8], id[9], id[10], id[11],
                  id[12], id[13], id[14], id[15]);
    return text;
}

}  // namespace rb::service
