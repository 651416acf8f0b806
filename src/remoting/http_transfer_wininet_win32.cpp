// The HTTP transfer over WinInet: one WinInet call per step, failures reported through the
// thread's last error code, which is kept until the channel asks for it.
// handles_win32.h brings <windows.h>, which <wininet.h> needs first.
// clang-format off
#include "platform/win32/handles_win32.h"
#include <wininet.h>
// clang-format on

#include "remoting/http_transfer.h"

namespace rb {
namespace {

using platform::win32::UniqueHandle;

void CloseInternetHandle(HINTERNET handle) {
    ::InternetCloseHandle(handle);
}
using InternetHandle = UniqueHandle<HINTERNET, CloseInternetHandle>;

// A server that never answers must not hold an unattended run forever; these are generous
// enough for a slow line and a large inventory.
constexpr DWORD kConnectTimeoutMs = 60 * 1000;
constexpr DWORD kSendReceiveTimeoutMs = 300 * 1000;

struct TimeoutOption {
    DWORD option;
    DWORD milliseconds;
};
const TimeoutOption kTimeouts[] = {
    {INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs},
    {INTERNET_OPTION_SEND_TIMEOUT, kSendReceiveTimeoutMs},
    {INTERNET_OPTION_RECEIVE_TIMEOUT, kSendReceiveTimeoutMs},
    {INTERNET_OPTION_DATA_SEND_TIMEOUT, kSendReceiveTimeoutMs},
    {INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, kSendReceiveTimeoutMs},
};

// InternetErrorDlg flags: FLAGS_ERROR_UI_FILTER_FOR_ERRORS | ..._CHANGE_OPTIONS |
// ..._GENERATE_DATA.
constexpr DWORD kErrorDlgFlags = FLAGS_ERROR_UI_FILTER_FOR_ERRORS |
                                 FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS |
                                 FLAGS_ERROR_UI_FLAGS_GENERATE_DATA;
constexpr DWORD kMessageBufferSize = 256;

std::string FormatMessageText(DWORD source, HMODULE module, DWORD code) {
    char buffer[kMessageBufferSize] = {};
    const DWORD n = ::FormatMessageA(source | FORMAT_MESSAGE_IGNORE_INSERTS, module, code, 0,
                                     buffer, kMessageBufferSize, nullptr);
    return std::string(buffer, n < kMessageBufferSize ? n : kMessageBufferSize);
}

class WinInetTransfer : public HttpTransfer {
public:
    OpenResult Open(const std::string& userAgent) override {
        session_.Reset(
            ::InternetOpenA(userAgent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
        const DWORD openError = ::GetLastError();
        if (::InternetAttemptConnect(0) != ERROR_SUCCESS) return OpenResult::NoNetwork;
        if (!session_) {
            Fail(openError);
            return OpenResult::Failed;
        }
        // Handles opened from the session inherit its timeouts.
        for (const TimeoutOption& t : kTimeouts) {
            DWORD value = t.milliseconds;
            ::InternetSetOptionA(session_.Get(), t.option, &value, sizeof value);
        }
        return OpenResult::Opened;
    }

    bool Connect(const std::string& host, uint16_t port, const std::string& username,
                 const std::string& password) override {
        connection_.Reset(::InternetConnectA(session_.Get(), host.c_str(), port,
                                             OptionalText(username), OptionalText(password),
                                             INTERNET_SERVICE_HTTP, 0, Context()));
        return connection_ ? true : Fail(::GetLastError());
    }

    void Close() override {
        request_.Reset();
        connection_.Reset();
        session_.Reset();
    }

    bool OpenRequest(const std::string& path, const std::vector<std::string>& acceptTypes,
                     bool secure) override {
        std::vector<LPCSTR> accept;
        for (const std::string& type : acceptTypes) accept.push_back(type.c_str());
        accept.push_back(nullptr);
        DWORD flags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION;
        if (secure) flags |= INTERNET_FLAG_SECURE;
        request_.Reset(::HttpOpenRequestA(connection_.Get(), "POST", path.c_str(), nullptr, nullptr,
                                          accept.data(), flags, Context()));
        return request_ ? true : Fail(::GetLastError());
    }

    bool SendRequest(const std::string& headers, const uint8_t* body, size_t size) override {
        // A successful send need not clear the last error, and AfterSend hands it to the
        // error dialog: a stale code there would make it ask for a second POST.
        ::SetLastError(ERROR_SUCCESS);
        const BOOL ok =
            ::HttpSendRequestA(request_.Get(), headers.empty() ? nullptr : headers.c_str(),
                               static_cast<DWORD>(headers.size()), const_cast<uint8_t*>(body),
                               static_cast<DWORD>(size));
        return ok ? true : Fail(::GetLastError());
    }

    SendOutcome AfterSend() override {
        const DWORD result = ::InternetErrorDlg(::GetDesktopWindow(), request_.Get(),
                                                ::GetLastError(), kErrorDlgFlags, nullptr);
        if (result == ERROR_SUCCESS) return SendOutcome::Done;
        if (result == ERROR_CANCELLED) return SendOutcome::Cancelled;
        return SendOutcome::Resend;
    }

    bool QueryStatusCode(uint32_t& code) override {
        return QueryNumber(HTTP_QUERY_STATUS_CODE, code);
    }

    bool QueryStatusText(std::string& text) override {
        char buffer[4096] = {};
        DWORD size = sizeof buffer;
        if (!::HttpQueryInfoA(request_.Get(), HTTP_QUERY_STATUS_TEXT, buffer, &size, nullptr)) {
            return Fail(::GetLastError());
        }
        text.assign(buffer, size < sizeof buffer ? size : sizeof buffer);
        return true;
    }

    bool QueryContentLength(uint32_t& length) override {
        return QueryNumber(HTTP_QUERY_CONTENT_LENGTH, length);
    }

    bool QueryDataAvailable(uint32_t& count) override {
        DWORD n = 0;
        if (!::InternetQueryDataAvailable(request_.Get(), &n, 0, 0)) return Fail(::GetLastError());
        count = n;
        return true;
    }

    bool ReadData(uint8_t* buffer, uint32_t size, uint32_t& read) override {
        DWORD n = 0;
        if (!::InternetReadFile(request_.Get(), buffer, size, &n)) return Fail(::GetLastError());
        read = n;
        return true;
    }

    void CloseRequest() override { request_.Reset(); }

    uint32_t LastError() override { return lastError_; }

    std::string ErrorText(uint32_t code) override {
        return FormatMessageText(FORMAT_MESSAGE_FROM_HMODULE, ::GetModuleHandleA("wininet.dll"),
                                 code);
    }

    std::string SystemErrorText(uint32_t code) override {
        std::string text = FormatMessageText(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code);
        // WinInet's own codes (a missing Content-Length is 12150) are not in the system's
        // table; its module has the text.
        return text.empty() ? ErrorText(code) : text;
    }

private:
    bool Fail(DWORD code) {
        lastError_ = code;
        return false;
    }
    bool QueryNumber(DWORD query, uint32_t& value) {
        DWORD number = 0;
        DWORD size = sizeof number;
        if (!::HttpQueryInfoA(request_.Get(), query | HTTP_QUERY_FLAG_NUMBER, &number, &size,
                              nullptr)) {
            return Fail(::GetLastError());
        }
        value = number;
        return true;
    }
    // Empty credentials are no credentials.
    static LPCSTR OptionalText(const std::string& text) {
        return text.empty() ? nullptr : text.c_str();
    }
    DWORD_PTR Context() { return reinterpret_cast<DWORD_PTR>(this); }

    InternetHandle session_;
    InternetHandle connection_;
    InternetHandle request_;
    DWORD lastError_ = 0;
};

}  // namespace

std::unique_ptr<HttpTransfer> CreateHttpTransfer() {
    return std::make_unique<WinInetTransfer>();
}

}  // namespace rb
