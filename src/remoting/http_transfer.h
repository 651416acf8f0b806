// The HTTP client underneath the HTTP channel. The channel (http_channel.h) keeps every rule of
// the exchange (when to connect, the request's headers, status handling, Content-Length,
// progress, error texts); an HttpTransfer only performs the calls, one HTTP library call each,
// and reports failures WinInet's way: a false result and an error code in LastError().
//
// Implementations: WinInet on Windows (a file ending in _win32.cpp), a portable client
// natively (a file ending in _native.cpp); each defines CreateHttpTransfer().
//
// The channel calls, for one exchange with the defaults (KeepConnection False):
//   Open -> Connect -> OpenRequest -> SendRequest -> AfterSend (-> SendRequest ... while it
//   answers Resend) -> QueryStatusCode [-> QueryStatusText] -> QueryContentLength ->
//   { QueryDataAvailable -> ReadData } until 0 available -> CloseRequest -> Close.
// CloseRequest and Close are also called after a failure at any step. With KeepConnection True
// Open/Connect happen once and Close only when the channel is disconnected or destroyed.
// Every call happens on the caller's thread and blocks until done.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rb {

class HttpTransfer {
public:
    virtual ~HttpTransfer() = default;

    enum class OpenResult {
        Opened,     // a session exists
        NoNetwork,  // no connection can be attempted: the channel ends the call silently
        Failed,     // LastError() tells why
    };
    // Starts a session with the system's proxy settings (WinInet: InternetOpenA with
    // INTERNET_OPEN_TYPE_PRECONFIG, no proxy names, no flags; then InternetAttemptConnect(0),
    // whose failure is NoNetwork).
    virtual OpenResult Open(const std::string& userAgent) = 0;
    // Connects the session to the server (InternetConnectA, INTERNET_SERVICE_HTTP, no flags).
    // Username and password may be empty. On false the channel reads LastError(), then calls
    // Close().
    virtual bool Connect(const std::string& host, uint16_t port, const std::string& username,
                         const std::string& password) = 0;
    // Closes the connection and then the session, each only if open; may be called any time.
    virtual void Close() = 0;

    // Opens a POST request for `path` (never empty: "/" at least; any query string included)
    // with the default HTTP version, no referrer, the given accept types and the flags
    // INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION, plus INTERNET_FLAG_SECURE
    // when `secure` (HTTPS). A client of another kind must likewise not cache the reply.
    virtual bool OpenRequest(const std::string& path, const std::vector<std::string>& acceptTypes,
                             bool secure) = 0;
    // Sends the open request (HttpSendRequestA): `headers` are extra header lines
    // "Name: value" joined by CR LF, without a final CR LF (may be empty); the body is the
    // whole request, sent from contiguous memory. The request stays open for the queries below.
    virtual bool SendRequest(const std::string& headers, const uint8_t* body, size_t size) = 0;

    enum class SendOutcome {
        Done,       // go on to read the response
        Cancelled,  // the user cancelled: the channel ends the call silently
        Resend,     // send the same request again (the channel sends no headers the 2nd time)
    };
    // Called after each successful SendRequest, to let the user resolve what the server or a
    // proxy asks (WinInet: InternetErrorDlg with the desktop window, the request, GetLastError()
    // and flags 7 -- ERROR_SUCCESS is Done, ERROR_CANCELLED is Cancelled, anything else Resend).
    // Clients without such a dialog answer Done. The channel stops resending after a few
    // Resend answers and reads whatever response there is.
    virtual SendOutcome AfterSend() = 0;

    // The response's status code (HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER).
    virtual bool QueryStatusCode(uint32_t& code) = 0;
    // The reason phrase of the status line, e.g. "Not Found" (HTTP_QUERY_STATUS_TEXT).
    virtual bool QueryStatusText(std::string& text) = 0;
    // The Content-Length header as a number (HTTP_QUERY_CONTENT_LENGTH |
    // HTTP_QUERY_FLAG_NUMBER); false when the reply has none (WinInet: error 12150).
    virtual bool QueryContentLength(uint32_t& length) = 0;
    // How many body bytes can be read now without waiting for more than the next arrival
    // (InternetQueryDataAvailable); 0 at the end of the body.
    virtual bool QueryDataAvailable(uint32_t& count) = 0;
    // Reads up to `size` body bytes (InternetReadFile); `read` is how many came.
    virtual bool ReadData(uint8_t* buffer, uint32_t size, uint32_t& read) = 0;
    // Closes the request, if one is open (InternetCloseHandle); may be called any time.
    virtual void CloseRequest() = 0;

    // The error code of the last call that answered false (GetLastError); 0 if none is known.
    virtual uint32_t LastError() = 0;
    // The HTTP library's own message for one of its error codes (WinInet: FormatMessageA with
    // FORMAT_MESSAGE_FROM_HMODULE on "wininet.dll"); "" when there is none. Trailing CR/LF and
    // anything after a NUL are removed by the channel.
    virtual std::string ErrorText(uint32_t code) = 0;
    // The operating system's message for a system error code; "" when there is none.
    virtual std::string SystemErrorText(uint32_t code) = 0;
};

// The platform's transfer (WinInet on Windows).
std::unique_ptr<HttpTransfer> CreateHttpTransfer();

}  // namespace rb
