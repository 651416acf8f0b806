// Mail: loading a Simple MAPI client library and its MAPISendMail call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rb::platform {

struct MailRecipient {
    uint32_t recipientClass = 1;  // 0 originator, 1 to, 2 copy, 3 blind copy
    std::string name;
    std::string address;  // "" for none
};

struct MailFile {
    std::string pathName;  // full path of the file
    std::string fileName;  // name shown to the reader; "" for the path's own
};

struct MailMessage {
    std::string subject;
    std::string noteText;
    std::vector<MailRecipient> recipients;  // empty: none passed
    std::vector<MailFile> files;
};

// A loaded client library; unloaded with this object.
class MailClient {
public:
    virtual ~MailClient() = default;
    // MAPISendMail (no session): the Simple MAPI result code.
    virtual uint32_t SendMail(uintptr_t window, const MailMessage& message, uint32_t flags) = 0;
};

// A load's outcome: the client, or why there is none.
struct MailClientLoad {
    std::unique_ptr<MailClient> client;
    uint32_t systemError = 0;     // the library could not be loaded
    std::string missingFunction;  // the library lacks this Simple MAPI function
};

class MailArea {
public:
    virtual ~MailArea() = default;
    // Loads `library` ("mapi32.dll" or a client's path) and looks up the Simple MAPI functions.
    virtual MailClientLoad LoadClient(std::string_view library) = 0;
};

}  // namespace rb::platform
