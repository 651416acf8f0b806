// The HTTP channel: one POST per call to TargetURL, the reply read whole, with progress. The
// HTTP library calls go through an HttpTransfer (http_transfer.h); everything the exchange
// decides is here, portable.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "remoting/http_transfer.h"
#include "remoting/http_url.h"
#include "remoting/transport_channel.h"

namespace rb {

struct TLogin {
    std::string Username;
    std::string Password;
};

class TRCWinInetHTTPChannel : public TRCTransportChannel, public IRCHTTPTransportInfo {
    RB_PERSISTENT_CLASS
public:
    // UserAgent "Kestrin Remoting"; the transfer is the platform's unless one is given.
    explicit TRCWinInetHTTPChannel(Component* owner = nullptr,
                                   std::unique_ptr<HttpTransfer> transfer = CreateHttpTransfer());
    ~TRCWinInetHTTPChannel() override;

    // Replaces the transfer (tests, other clients); an open connection is closed first.
    void SetTransfer(std::unique_ptr<HttpTransfer> transfer);

    using TRCTransportChannel::GetTransportObject;
    std::string GetPathInfo() override { return ""; }
    void SetHeader(const std::string& name, const std::string& value) override;
    std::string GetHeader(const std::string&) override { return ""; }
    std::string GetContentType() override { return GetHeader("Content-Type"); }
    void SetContentType(const std::string& value) override { SetHeader("Content-Type", value); }
    std::string GetUserAgent() override { return UserAgent; }
    void SetUserAgent(const std::string& value) override { UserAgent = value; }
    std::string GetTargetURL() override { return targetURL_; }
    const std::string& TargetURL() const { return targetURL_; }
    // Raises "Invalid URL format" for anything but an http or https URL (the old value stays).
    void SetTargetURL(const std::string& value) override;
    std::string GetRemoteAddress() override { return ""; }
    std::string GetLocalAddress() override { return ""; }

    const HttpUrl& Url() const { return url_; }
    // The header lines the next request will carry.
    const std::string& PendingHeaders() const { return pendingHeaders_; }

    bool Connected() const { return connected_; }
    // True opens the session and connects (raises on failure); False closes both.
    void SetConnected(bool value);

    std::string UserAgent = "Kestrin Remoting";
    TLogin Login;
    bool KeepConnection = false;  // keep the connection between calls
    bool StoreConnected = false;

protected:
    void DoDispatch(MemoryStream& request, MemoryStream& response) override;

private:
    void SendRequest(const MemoryStream& request);
    void ReadResponse(MemoryStream& response);
    // The HTTP library's error for `code`, or "Unexpected error in WinInet HTTP Channel (<code>)".
    [[noreturn]] void RaiseTransferError(uint32_t code);
    [[noreturn]] void RaiseLastTransferError() { RaiseTransferError(transfer_->LastError()); }
    // The operating system's error for the last error code.
    [[noreturn]] void RaiseLastSystemError();

    std::unique_ptr<HttpTransfer> transfer_;
    std::string targetURL_;
    HttpUrl url_;
    bool connected_ = false;
    std::string pendingHeaders_;
    std::string requestHeaders_;  // what this Dispatch sends, kept for its retries
};

}  // namespace rb
