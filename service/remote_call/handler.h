// One request to the collecting service: the POSTed binary message decoded with the program's
// own message and serializer code, the operation carried out, and the reply message built.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "remoting/rc_interfaces.h"
#include "service/store/store.h"

namespace rb::service {

// Bounds on what one request may carry, so hostile input costs bounded memory.
// Real inventories are tens of kilobytes; these leave them room a hundredfold and more.
struct Limits {
    size_t maxBody = 16u << 20;      // POSTed bytes
    size_t maxInflated = 40u << 20;  // bytes of a compressed body once inflated
    size_t maxField = 64u << 10;     // UTF-16 units of a header field or an id
    size_t maxDatos = 16u << 20;     // UTF-16 units of the XML text
};

struct Reply {
    int status = 200;  // 200 with a result message, 500 with an exception reply
    std::string body;
};

// Answers one POSTed message: a type 0 reply with the operation's result, or, for anything
// wrong with the request, a type 1 exception reply (with status 500, which the client reads as
// the service's error). Throws only when memory runs out while writing that reply.
Reply HandleMessage(std::string_view body, const std::string& peer, Store& store,
                    const Limits& limits = Limits());

// A type 0 reply message carrying `result` as the call's "Result".
std::string ResultMessage(const Guid& clientId, const char* operation,
                          const std::u16string& result);

// The receipt text of a stored inventory.
std::string ReceiptText(int64_t id);

// A stored inventory as a package holds it: the header lines, then the XML.
std::string PackageText(const Inventory& inventory);

// The GUID in its usual text form, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
std::string GuidText(const Guid& id);

}  // namespace rb::service
