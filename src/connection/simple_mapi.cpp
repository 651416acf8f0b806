#include "connection/simple_mapi.h"

#include "platform/platform.h"
#include "platform/system_error.h"

namespace rb {
namespace {

using platform::RootKey;

constexpr char kMessagingKey[] = "SOFTWARE\\Microsoft\\Windows Messaging Subsystem";
constexpr char kClientsKey[] = "SOFTWARE\\Clients\\Mail";

// Simple MAPI's result texts, by code.
constexpr const char* kResultTexts[] = {
    "",  // 0: success
    "User abort", "General MAPI failure", "MAPI login failure", "Disk full",
    "Insufficient memory", "Access denied", "",  // 7 has no text
    "Too many sessions", "Too many files were specified", "Too many recipients were specified",
    "A specified attachment was not found", "Attachment open failure",
    "Attachment write failure", "Unknown recipient", "Bad recipient type", "No messages",
    "Invalid message", "Text too large", "Invalid session", "Type not supported",
    "A recipient was specified ambiguously", "Message in use", "Network failure",
    "Invalid edit fields", "Invalid recipients", "Not supported"};

enum : uint32_t { kUserAbort = 1, kAttachmentNotFound = 11, kInvalidRecips = 25 };
enum : uint32_t { kMapiLogonUi = 1, kMapiNewSession = 2, kMapiDialog = 8,
                  kMapiForceDownload = 0x1000 };

// "%NAME%" replaced by the variable's value; an unknown name stays as written.
std::string ExpandEnvironment(const std::string& text) {
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('%', at);
        const size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) break;
        const std::string name = text.substr(open + 1, close - open - 1);
        const std::string value = platform::Current().System().EnvironmentVariable(name);
        out += text.substr(at, open - at);
        out += value.empty() ? text.substr(open, close - open + 1) : value;
        at = close + 1;
    }
    return out + text.substr(std::min(at, text.size()));
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string MapiErrorText(uint32_t code) {
    return code < std::size(kResultTexts) ? kResultTexts[code] : "";
}

EMapiError MapiError(uint32_t code) {
    return EMapiError("MAPI Error: (" + std::to_string(code) + ") \"" + MapiErrorText(code) + "\"",
                      code);
}

TSimpleMapi::TSimpleMapi() {
    platform::Registry& reg = platform::Current().Reg();
    if (auto key = reg.Open(RootKey::LocalMachine, kMessagingKey)) {
        ExtendedMapi = key->ReadString("MAPIX").value_or("") == "1";
        SimpleMapi = key->ReadString("MAPI").value_or("") == "1";
        MapiVersion = key->ReadString("MAPIXVER").value_or("");
    }
    if (auto key = reg.Open(RootKey::LocalMachine, kClientsKey)) {
        DefaultClient = key->ReadString("").value_or("");
        for (const std::string& name : key->SubKeyNames()) {
            TMapiClient client{name, "", "", false};
            const std::string path = std::string(kClientsKey) + "\\" + name;
            if (auto sub = reg.Open(RootKey::LocalMachine, path)) {
                client.ClientName = sub->ReadString("").value_or("");
                client.LibraryPath = ExpandEnvironment(sub->ReadString("DLLPath").value_or(""));
            }
            client.Valid = !client.LibraryPath.empty() &&
                           platform::Current().Mail().IsMailClientLibrary(client.LibraryPath);
            Clients.push_back(client);
        }
    }
    const bool nt = platform::Current().System().Version().platformId == 2;
    const std::string profiles = nt ? "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows "
                                      "Messaging Subsystem\\Profiles"
                                    : std::string(kMessagingKey) + "\\Profiles";
    if (auto key = reg.Open(RootKey::CurrentUser, profiles)) {
        DefaultProfile = key->ReadString("DefaultProfile").value_or("");
        Profiles = key->SubKeyNames();
    }
}

bool TSimpleMapi::ClientInstalled() const {
    if (ExtendedMapi) return true;
    for (const TMapiClient& c : Clients) {
        if (c.Valid) return true;
    }
    return false;
}

const TMapiClient* TSimpleMapi::SelectedClient() const {
    for (const TMapiClient& c : Clients) {
        if (c.KeyName == DefaultClient) return &c;
    }
    return nullptr;
}

// Extended MAPI without Simple MAPI and without a default client: the system's mapi32.dll
// stands for whichever client the system forwards to.
std::string TSimpleMapi::LibraryName() const {
    if (SimpleMapi) return "mapi32.dll";
    const TMapiClient* selected = SelectedClient();
    return selected ? selected->LibraryPath : "mapi32.dll";
}

platform::MailClient& TSimpleMapi::Client() {
    if (client_) return *client_;
    platform::MailClientLoad load = platform::Current().Mail().LoadClient(LibraryName());
    if (!load.missingFunction.empty()) {
        throw EMapiError("Function \"" + load.missingFunction + "\" is not exported by client");
    }
    if (!load.client) throw EMapiError(SystemErrorMessage(load.systemError));
    client_ = std::move(load.client);
    return *client_;
}

TMapiEmailRecip& TMapiEmailRecips::Add(const std::string& address, const std::string& displayName,
                                       TMapiRecipKind kind, const std::string& addressType) {
    Items.push_back({Trimmed(address), displayName, addressType, kind});
    return Items.back();
}

TMapiEmail::TMapiEmail() = default;

void TMapiEmail::SetBody(const std::string& text) {
    body_ = text;
    if (body_.size() < 2 || body_.compare(body_.size() - 2, 2, "\r\n") != 0) body_ += "\r\n";
}

void TMapiEmail::AddRecipient(const std::string& address, const std::string& displayName,
                              TMapiRecipKind kind, const std::string& addressType) {
    Recipients.Add(address, displayName, kind, addressType);
}

platform::MailMessage TMapiEmail::BuildMessage(bool showDialog) const {
    platform::MailMessage message;
    message.subject = Subject;
    message.noteText = body_;
    for (const std::string& path : Attachments) {
        if (!platform::Current().Mail().FileExists(path)) throw MapiError(kAttachmentNotFound);
        const std::string full = platform::Current().Storage().FullPathName(path);
        message.files.push_back({full.empty() ? path : full, ""});
    }
    if (Recipients.Items.empty() && !showDialog) throw MapiError(kInvalidRecips);
    for (const TMapiEmailRecip& r : Recipients.Items) {
        const std::string name = r.DisplayName.empty() ? r.Address : r.DisplayName;
        if (name.empty()) throw MapiError(kInvalidRecips);
        const std::string& type =
            r.AddressType.empty() ? Recipients.DefaultAddressType : r.AddressType;
        message.recipients.push_back({static_cast<uint32_t>(r.Kind), name,
                                      type.empty() ? r.Address : type + ":" + r.Address});
    }
    return message;
}

uint32_t TMapiEmail::SendFlags(bool showDialog) const {
    uint32_t flags = 0;
    if (LogonHandle == 0) {
        if (LogonOptions & kLogonShowUi) flags |= kMapiLogonUi;
        if (LogonOptions & kLogonNewSession) flags |= kMapiNewSession;
        if (LogonOptions & kLogonForceDownload) flags |= kMapiForceDownload;
    }
    return showDialog ? flags | kMapiDialog : flags;
}

bool TMapiEmail::Send(bool showDialog) {
    if (!mapi_.ClientInstalled()) {
        throw EMapiError("No Simple MAPI client installed, cannot send the message");
    }
    const platform::MailMessage message = BuildMessage(showDialog);
    platform::MailClient& client = mapi_.Client();
    const uintptr_t parent = MailParentWindow(platform::Current().Mail().TopLevelWindows());
    const uint32_t result = client.SendMail(parent, message, SendFlags(showDialog));
    if (result == 0) return true;
    if (result == kUserAbort) return false;
    throw MapiError(result);
}

uintptr_t MailParentWindow(const std::vector<platform::ProcessWindow>& windows) {
    for (const platform::ProcessWindow& w : windows) {
        if (w.visible && w.ownerless && (!w.toolWindow || w.appWindow)) return w.handle;
    }
    return 0;
}

}  // namespace rb
