// The HTTP transfer over libcurl, for the native build. libcurl has no separate send and read
// steps: SendRequest performs the whole exchange and keeps the reply as the chunks it arrived
// in, which the channel then reads as WinInet would hand them out. Failures carry libcurl's
// codes, plus WinInet's code for a missing header so the channel's texts match both builds.
#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>

#include "remoting/http_transfer.h"

namespace rb {
namespace {

// A server that never answers must not hold an unattended run forever: connecting may take a
// minute, and the exchange may stall (less than a byte a second) for five.
constexpr long kConnectTimeoutSeconds = 60;
constexpr long kStallSeconds = 300;
// The reply is held in memory whole (the channel has the same bound).
constexpr size_t kMaxReply = 256u << 20;
// WinInet's ERROR_HTTP_HEADER_NOT_FOUND: what a reply without Content-Length fails with.
constexpr uint32_t kHeaderNotFound = 12150;

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;
using HeaderList = std::unique_ptr<curl_slist, CurlDeleter>;

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

void Append(HeaderList& list, const std::string& line) {
    curl_slist* head = list.release();
    curl_slist* grown = curl_slist_append(head, line.c_str());
    list.reset(grown ? grown : head);
}

class CurlTransfer : public HttpTransfer {
public:
    OpenResult Open(const std::string& userAgent) override {
        GlobalInit();
        curl_.reset(curl_easy_init());
        if (!curl_) {
            Fail(CURLE_FAILED_INIT);
            return OpenResult::Failed;
        }
        userAgent_ = userAgent;
        return OpenResult::Opened;
    }

    // Like InternetConnectA for HTTP, this only remembers the server: nothing goes out yet.
    bool Connect(const std::string& host, uint16_t port, const std::string& username,
                 const std::string& password) override {
        if (!curl_) return Fail(CURLE_FAILED_INIT);
        const bool ipv6 = host.find(':') != std::string::npos;
        server_ = (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
        username_ = username;
        password_ = password;
        return true;
    }

    void Close() override {
        CloseRequest();
        curl_.reset();
    }

    bool OpenRequest(const std::string& path, const std::vector<std::string>& acceptTypes,
                     bool secure) override {
        if (!curl_) return Fail(CURLE_FAILED_INIT);
        CloseRequest();
        url_ = std::string(secure ? "https://" : "http://") + server_ + path;
        accept_.clear();
        for (const std::string& type : acceptTypes) accept_ += (accept_.empty() ? "" : ", ") + type;
        return true;
    }

    bool SendRequest(const std::string& headers, const uint8_t* body, size_t size) override;
    SendOutcome AfterSend() override { return SendOutcome::Done; }

    bool QueryStatusCode(uint32_t& code) override {
        long status = 0;
        if (!performed_ ||
            curl_easy_getinfo(curl_.get(), CURLINFO_RESPONSE_CODE, &status) != CURLE_OK) {
            return Fail(CURLE_BAD_FUNCTION_ARGUMENT);
        }
        code = static_cast<uint32_t>(status);
        return true;
    }

    bool QueryStatusText(std::string& text) override {
        if (!performed_) return Fail(CURLE_BAD_FUNCTION_ARGUMENT);
        text = statusText_;
        return true;
    }

    bool QueryContentLength(uint32_t& length) override {
        curl_off_t value = -1;
        if (!performed_) return Fail(CURLE_BAD_FUNCTION_ARGUMENT);
        curl_easy_getinfo(curl_.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &value);
        if (value < 0 || value > 0xFFFFFFFF) return Fail(kHeaderNotFound);
        length = static_cast<uint32_t>(value);
        return true;
    }

    bool QueryDataAvailable(uint32_t& count) override {
        if (!performed_) return Fail(CURLE_BAD_FUNCTION_ARGUMENT);
        count = chunks_.empty() ? 0 : static_cast<uint32_t>(chunks_.front().size() - offset_);
        return true;
    }

    bool ReadData(uint8_t* buffer, uint32_t size, uint32_t& read) override {
        if (!performed_) return Fail(CURLE_BAD_FUNCTION_ARGUMENT);
        read = 0;
        if (chunks_.empty()) return true;
        const std::string& chunk = chunks_.front();
        read = static_cast<uint32_t>(std::min<size_t>(size, chunk.size() - offset_));
        std::memcpy(buffer, chunk.data() + offset_, read);
        offset_ += read;
        if (offset_ == chunk.size()) {
            chunks_.pop_front();
            offset_ = 0;
        }
        return true;
    }

    void CloseRequest() override {
        performed_ = false;
        chunks_.clear();
        offset_ = 0;
        received_ = 0;
        statusText_.clear();
    }

    uint32_t LastError() override { return lastError_; }

    std::string ErrorText(uint32_t code) override {
        if (code == kHeaderNotFound) return "The requested header was not found";
        std::string text = curl_easy_strerror(static_cast<CURLcode>(code));
        // libcurl's detail for the failure just met (host, port, timings).
        if (code == lastError_ && errorBuffer_[0] != '\0') text += ": " + std::string(errorBuffer_);
        return text;
    }
    std::string SystemErrorText(uint32_t code) override { return ErrorText(code); }

private:
    bool Fail(uint32_t code) {
        lastError_ = code;
        return false;
    }
    static size_t OnBody(char* data, size_t size, size_t count, void* self);
    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    HeaderList RequestHeaders(const std::string& headers) const;

    CurlHandle curl_;
    std::string userAgent_, server_, username_, password_, url_, accept_;
    bool performed_ = false;
    std::deque<std::string> chunks_;  // the reply body, as it arrived
    size_t offset_ = 0;               // into the first chunk
    size_t received_ = 0;
    std::string statusText_;
    uint32_t lastError_ = 0;
    char errorBuffer_[CURL_ERROR_SIZE] = {};
};

// The extra lines as given, the accept types, and what WinInet adds to a POST by itself.
HeaderList CurlTransfer::RequestHeaders(const std::string& headers) const {
    HeaderList list;
    bool contentType = false;
    for (size_t start = 0; start < headers.size();) {
        size_t end = headers.find("\r\n", start);
        if (end == std::string::npos) end = headers.size();
        const std::string line = headers.substr(start, end - start);
        if (!line.empty()) Append(list, line);
        contentType |= line.compare(0, 13, "Content-Type:") == 0;
        start = end + 2;
    }
    if (!contentType) Append(list, "Content-Type:");  // no form type of libcurl's own
    if (!accept_.empty()) Append(list, "Accept: " + accept_);
    Append(list, "Cache-Control: no-cache");
    Append(list, "Expect:");  // the body goes at once, as one piece
    return list;
}

bool CurlTransfer::SendRequest(const std::string& headers, const uint8_t* body, size_t size) {
    if (!curl_ || url_.empty()) return Fail(CURLE_BAD_FUNCTION_ARGUMENT);
    CloseRequest();
    const HeaderList list = RequestHeaders(headers);
    CURL* c = curl_.get();
    errorBuffer_[0] = '\0';
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_easy_setopt(c, CURLOPT_URL, url_.c_str());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_USERAGENT, userAgent_.c_str());
    curl_easy_setopt(c, CURLOPT_POST, 1L);
    // Never a null body: libcurl would then read the body from standard input.
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, size > 0 ? static_cast<const void*>(body) : "");
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(size));
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, list.get());
    if (!username_.empty()) curl_easy_setopt(c, CURLOPT_USERNAME, username_.c_str());
    if (!password_.empty()) curl_easy_setopt(c, CURLOPT_PASSWORD, password_.c_str());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &CurlTransfer::OnBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &CurlTransfer::OnHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, this);
    const CURLcode rc = curl_easy_perform(c);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, nullptr);  // the list goes now
    if (rc != CURLE_OK) {
        CloseRequest();
        return Fail(rc);
    }
    performed_ = true;
    return true;
}

size_t CurlTransfer::OnBody(char* data, size_t size, size_t count, void* self) {
    auto& t = *static_cast<CurlTransfer*>(self);
    const size_t n = size * count;
    if (t.received_ + n > kMaxReply) {
        std::snprintf(t.errorBuffer_, sizeof t.errorBuffer_, "reply larger than %zu bytes",
                      kMaxReply);
        return 0;  // libcurl ends the transfer with CURLE_WRITE_ERROR
    }
    if (n > 0) t.chunks_.emplace_back(data, n);
    t.received_ += n;
    return n;
}

// Keeps the reason phrase of the last status line ("HTTP/1.1 404 Not Found").
size_t CurlTransfer::OnHeader(char* data, size_t size, size_t count, void* self) {
    auto& t = *static_cast<CurlTransfer*>(self);
    const size_t n = size * count;
    const std::string line(data, n);
    if (line.compare(0, 5, "HTTP/") == 0) {
        const size_t code = line.find(' ');
        const size_t text = code == std::string::npos ? code : line.find(' ', code + 1);
        t.statusText_ = text == std::string::npos ? "" : line.substr(text + 1);
        while (!t.statusText_.empty() &&
               (t.statusText_.back() == '\r' || t.statusText_.back() == '\n')) {
            t.statusText_.pop_back();
        }
    }
    return n;
}

}  // namespace

std::unique_ptr<HttpTransfer> CreateHttpTransfer() {
    return std::make_unique<CurlTransfer>();
}

}  // namespace rb
