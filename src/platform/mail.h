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

// A top-level window of the running process, as the parent of the mail client's window.
struct ProcessWindow {
    uintptr_t handle = 0;
    bool visible = false;
    bool ownerless = true;  // no owner, or the desktop as owner
    bool toolWindow = false;  // WS_EX_TOOLWINDOW
    bool appWindow = false;   // WS_EX_APPWINDOW
};

// The twelve Simple MAPI functions a mail client library exports, in the order they are looked
// up.
inline constexpr const char* kSimpleMapiFunctions[12] = {
    "MAPIAddress",  "MAPIDeleteMail",  "MAPIDetails",  "MAPIFindNext",
    "MAPIFreeBuffer", "MAPILogoff",    "MAPILogon",    "MAPIReadMail",
    "MAPIResolveName", "MAPISaveMail", "MAPISendDocuments", "MAPISendMail"};

class MailArea {
public:
    virtual ~MailArea() = default;
    // Loads `library` ("mapi32.dll" or a client's path) and looks up the Simple MAPI functions.
    virtual MailClientLoad LoadClient(std::string_view library) = 0;
    // Whether `library` loads (without resolving its own imports or running its start-up code)
    // and exports all twelve Simple MAPI functions.
    virtual bool IsMailClientLibrary(std::string_view library) = 0;
    // Whether a file exists, found by a directory search that asks nothing of the user for a
    // drive without a medium.
    virtual bool FileExists(std::string_view path) = 0;
    // The process's top-level windows in the system's enumeration order.
    virtual std::vector<ProcessWindow> TopLevelWindows() = 0;
};

}  // namespace rb::platform
