#include "remoting/http_channel.h"

#include <utility>
#include <vector>

#include "core/exception.h"
#include "core/text.h"

namespace rb {
namespace {

const char* const kAcceptType = "application/octet-stream";
// Answers to re-send a request before the reply is read as it is (a dialog that cannot be
// shown keeps answering "again").
constexpr int kMaxResends = 5;
// Chunks are read as they arrive, but never more at once than this.
constexpr uint32_t kMaxChunk = 1u << 20;
// The reply is held in memory whole.
constexpr size_t kMaxReply = 256u << 20;

std::string CleanErrorText(std::string text) {
    text = text.substr(0, text.find('\0'));
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

// Closes the request on every path out of one exchange.
struct RequestCloser {
    HttpTransfer& transfer;
    ~RequestCloser() { transfer.CloseRequest(); }
};

}  // namespace

const ClassInfo& TRCWinInetHTTPChannel::StaticClass() {
    using C = TRCWinInetHTTPChannel;
    static const ClassInfo info(
        "TRCWinInetHTTPChannel", &TRCTransportChannel::StaticClass(),
        {Prop<&C::UserAgent>("UserAgent"), PropRW<&C::TargetURL, &C::SetTargetURL>("TargetURL"),
         Prop<&C::KeepConnection>("KeepConnection"), Prop<&C::StoreConnected>("StoreConnected"),
         PropRW<&C::Connected, &C::SetConnected>("Connected")});
    return info;
}

TRCWinInetHTTPChannel::TRCWinInetHTTPChannel(Component* owner,
                                             std::unique_ptr<HttpTransfer> transfer)
    : TRCTransportChannel(owner), transfer_(std::move(transfer)) {}

TRCWinInetHTTPChannel::~TRCWinInetHTTPChannel() {
    if (connected_) transfer_->Close();
}

void TRCWinInetHTTPChannel::SetTransfer(std::unique_ptr<HttpTransfer> transfer) {
    SetConnected(false);
    transfer_ = std::move(transfer);
}

void TRCWinInetHTTPChannel::SetHeader(const std::string& name, const std::string& value) {
    if (!pendingHeaders_.empty()) pendingHeaders_ += "\r\n";
    pendingHeaders_ += name + ": " + value;
}

void TRCWinInetHTTPChannel::SetTargetURL(const std::string& value) {
    if (value == targetURL_) return;
    HttpUrl url;
    if (!value.empty() && !ParseHttpUrl(value, url)) throw Exception("Invalid URL format");
    targetURL_ = value;
    url_ = url;
}

void TRCWinInetHTTPChannel::SetConnected(bool value) {
    if (value == connected_) return;
    if (!value) {
        transfer_->Close();
        connected_ = false;
        return;
    }
    switch (transfer_->Open(UserAgent)) {
        case HttpTransfer::OpenResult::Opened:
            break;
        case HttpTransfer::OpenResult::NoNetwork:
            transfer_->Close();
            throw EAbort();
        case HttpTransfer::OpenResult::Failed: {
            const uint32_t code = transfer_->LastError();
            transfer_->Close();
            RaiseTransferError(code);
        }
    }
    if (!transfer_->Connect(url_.host, url_.port, Login.Username, Login.Password)) {
        const uint32_t code = transfer_->LastError();
        transfer_->Close();
        RaiseTransferError(code);
    }
    connected_ = true;
}

void TRCWinInetHTTPChannel::DoDispatch(MemoryStream& request, MemoryStream& response) {
    // The headers set for this call go with every attempt of it, retries included.
    if (Attempt() == 0) requestHeaders_ = std::exchange(pendingHeaders_, std::string());
    if (targetURL_.empty()) throw Exception("Unspecified TargetURL");
    struct Disconnect {
        TRCWinInetHTTPChannel& channel;
        ~Disconnect() {
            if (!channel.KeepConnection) channel.SetConnected(false);
        }
    } disconnect{*this};
    SetConnected(true);
    RequestCloser closer{*transfer_};
    SendRequest(request);
    ReadResponse(response);
}

void TRCWinInetHTTPChannel::SendRequest(const MemoryStream& request) {
    const int64_t size = static_cast<int64_t>(request.Size());
    Progress(TProgressType::ptStart, TProgressDirection::pdSending, 0, size);
    const std::string path = url_.path.empty() ? "/" : url_.path;
    if (!transfer_->OpenRequest(path, {kAcceptType}, url_.scheme == HttpScheme::Https)) {
        RaiseLastTransferError();
    }
    std::string headers = requestHeaders_;
    for (int sends = 0;; ++sends) {
        if (!transfer_->SendRequest(headers, request.Data(), request.Size())) {
            RaiseLastTransferError();
        }
        headers.clear();  // the open request keeps them
        const HttpTransfer::SendOutcome outcome = transfer_->AfterSend();
        if (outcome == HttpTransfer::SendOutcome::Cancelled) throw EAbort();
        if (outcome == HttpTransfer::SendOutcome::Done || sends >= kMaxResends) break;
    }
    Progress(TProgressType::ptDone, TProgressDirection::pdSending, 0, size);
}

void TRCWinInetHTTPChannel::ReadResponse(MemoryStream& response) {
    uint32_t status = 0;
    if (!transfer_->QueryStatusCode(status)) RaiseLastSystemError();
    // 500 is how the service delivers its exception replies: the message reads them.
    if (status >= 300 && status != 500) {
        std::string text;
        if (transfer_->QueryStatusText(text)) {
            throw Exception(Format("%s (%d)", text.substr(0, 4095).c_str(), int(status)));
        }
    }
    uint32_t length = 0;
    if (!transfer_->QueryContentLength(length)) RaiseLastSystemError();
    Progress(TProgressType::ptStart, TProgressDirection::pdReceiving, 0, length);
    std::vector<uint8_t> buffer;
    size_t total = 0;
    for (;;) {
        uint32_t available = 0;
        if (!transfer_->QueryDataAvailable(available)) RaiseLastTransferError();
        if (available == 0) break;
        buffer.resize(available < kMaxChunk ? available : kMaxChunk);
        uint32_t read = 0;
        if (!transfer_->ReadData(buffer.data(), static_cast<uint32_t>(buffer.size()), read)) {
            RaiseLastTransferError();
        }
        total += read;
        if (total > kMaxReply) {
            throw Exception(Format("Reply larger than %u bytes", unsigned(kMaxReply)));
        }
        response.Write(buffer.data(), read);
        Progress(TProgressType::ptInProgress, TProgressDirection::pdReceiving,
                 static_cast<int64_t>(total), length);
    }
    response.SetPosition(0);
    Progress(TProgressType::ptDone, TProgressDirection::pdReceiving, 0, 0);
}

void TRCWinInetHTTPChannel::RaiseTransferError(uint32_t code) {
    const std::string text = CleanErrorText(transfer_->ErrorText(code));
    if (code == 0 || text.empty()) {
        // A failure without a code is still a failure: going on would use a dead request.
        throw Exception(Format("Unexpected error in WinInet HTTP Channel (%d)", int(code)));
    }
    throw Exception(text);
}

void TRCWinInetHTTPChannel::RaiseLastSystemError() {
    const uint32_t code = transfer_->LastError();
    const std::string text = CleanErrorText(transfer_->SystemErrorText(code));
    throw Exception(Format("System Error. Code: %u.%s%s", unsigned(code),
                           text.empty() ? "" : "\r\n", text.c_str()));
}

}  // namespace rb
