// The mail component: hands a message with the package attached to the user's own mail client
// through Simple MAPI, the client showing its compose window. TSimpleMapi finds the installed
// clients and loads the library; TMapiEmail is one message.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/exception.h"
#include "platform/mail.h"

namespace rb {

class EMailError : public Exception {
public:
    using Exception::Exception;
};

// A failure of the mail component; ErrorCode is the Simple MAPI result when there is one.
class EMapiError : public EMailError {
public:
    explicit EMapiError(const std::string& message, uint32_t code = 0)
        : EMailError(message), ErrorCode(code) {}
    uint32_t ErrorCode;
};

// "MAPI Error: (11) \"A specified attachment was not found\"", carrying the code.
EMapiError MapiError(uint32_t code);
// The text of a Simple MAPI result code; "" for a code without one.
std::string MapiErrorText(uint32_t code);

// A mail client registered under HKEY_LOCAL_MACHINE\SOFTWARE\Clients\Mail.
struct TMapiClient {
    std::string KeyName;
    std::string ClientName;
    std::string LibraryPath;  // environment variables expanded
    bool Valid = false;       // loads and exports the twelve Simple MAPI functions
};

// What the registry says about mail on this machine, and the loaded client library.
class TSimpleMapi {
public:
    TSimpleMapi();  // reads the discovery

    bool ExtendedMapi = false;  // "MAPIX" = "1"
    bool SimpleMapi = false;    // "MAPI" = "1": mapi32.dll is the library
    std::string MapiVersion;    // "MAPIXVER"
    std::vector<TMapiClient> Clients;
    std::string DefaultClient;  // key name of the default client
    std::string DefaultProfile;
    std::vector<std::string> Profiles;

    bool ClientInstalled() const;
    const TMapiClient* SelectedClient() const;
    // "mapi32.dll" with Simple MAPI, else the default client's library ("" when none).
    std::string LibraryName() const;
    // Loads the library once; a failure raises the system's error or a missing export.
    platform::MailClient& Client();

private:
    std::unique_ptr<platform::MailClient> client_;
};

enum class TMapiRecipKind : uint32_t { rkOriginator = 0, rkTo = 1, rkCc = 2, rkBcc = 3 };

struct TMapiEmailRecip {
    std::string Address;  // trimmed
    std::string DisplayName;
    std::string AddressType;  // "" for the list's default
    TMapiRecipKind Kind = TMapiRecipKind::rkTo;
};

class TMapiEmailRecips {
public:
    std::string DefaultAddressType = "SMTP";
    std::vector<TMapiEmailRecip> Items;
    TMapiEmailRecip& Add(const std::string& address, const std::string& displayName,
                         TMapiRecipKind kind, const std::string& addressType = "");
};

// Logon options (the first is the only one set by default).
enum : uint32_t { kLogonShowUi = 1, kLogonNewSession = 2, kLogonForceDownload = 4 };

class TMapiEmail {
public:
    TMapiEmail();

    std::string Subject;
    bool HtmlBody = false;
    TMapiEmailRecips Recipients;
    std::vector<std::string> Attachments;
    uint32_t LogonOptions = kLogonShowUi;
    uintptr_t LogonHandle = 0;  // 0: the client logs on by itself

    void SetBody(const std::string& text);  // made to end with CR LF
    const std::string& Body() const { return body_; }
    void AddRecipient(const std::string& address, const std::string& displayName,
                      TMapiRecipKind kind = TMapiRecipKind::rkTo,
                      const std::string& addressType = "");
    void AddAttachment(const std::string& path) { Attachments.push_back(path); }

    // True when the client accepted the message, false when the user cancelled it there;
    // every other outcome raises EMapiError (or the system's error of a library that will
    // not load).
    bool Send(bool showDialog);

    // The steps of Send, each checked on its own.
    platform::MailMessage BuildMessage(bool showDialog) const;
    uint32_t SendFlags(bool showDialog) const;
    TSimpleMapi& Mapi() { return mapi_; }

private:
    std::string body_;
    TSimpleMapi mapi_;
};

// The mail client's parent: the first visible, ownerless top-level window of the process that
// is not a tool window (or is marked as an application window); 0 when none.
uintptr_t MailParentWindow(const std::vector<platform::ProcessWindow>& windows);

}  // namespace rb
