// An HTTP transfer that plays a scripted server and logs every call the channel makes.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "remoting/http_transfer.h"

namespace rb {

// What the fake server answers; shared by the transfer and the test.
struct FakeHttpServer {
    uint32_t status = 200;
    std::string statusText = "OK";
    bool statusTextReadable = true;
    bool statusReadable = true;
    std::optional<uint32_t> contentLength;  // default: the size of the body
    bool omitContentLength = false;
    std::vector<std::string> chunks;  // the body, in the pieces it arrives in

    HttpTransfer::OpenResult openResult = HttpTransfer::OpenResult::Opened;
    bool connectFails = false;
    int sendFailures = 0;                             // this many sends fail before one succeeds
    std::deque<HttpTransfer::SendOutcome> afterSend;  // answers in turn; then Done
    bool alwaysResend = false;
    uint32_t errorCode = 12029;
    std::map<uint32_t, std::string> errorTexts;  // the library's messages
    std::map<uint32_t, std::string> systemTexts;

    // What happened, one line per call.
    std::vector<std::string> log;
    std::vector<std::string> sentBodies;
    std::vector<std::string> sentHeaders;

    void SetBody(const std::string& body) { chunks = {body}; }
};

class FakeHttpTransfer : public HttpTransfer {
public:
    explicit FakeHttpTransfer(FakeHttpServer& server) : s_(server) {}

    OpenResult Open(const std::string& userAgent) override;
    bool Connect(const std::string& host, uint16_t port, const std::string& username,
                 const std::string& password) override;
    void Close() override { s_.log.push_back("close"); }
    bool OpenRequest(const std::string& path, const std::vector<std::string>& acceptTypes,
                     bool secure) override;
    bool SendRequest(const std::string& headers, const uint8_t* body, size_t size) override;
    SendOutcome AfterSend() override;
    bool QueryStatusCode(uint32_t& code) override;
    bool QueryStatusText(std::string& text) override;
    bool QueryContentLength(uint32_t& length) override;
    bool QueryDataAvailable(uint32_t& count) override;
    bool ReadData(uint8_t* buffer, uint32_t size, uint32_t& read) override;
    void CloseRequest() override { s_.log.push_back("closeRequest"); }
    uint32_t LastError() override { return lastError_; }
    std::string ErrorText(uint32_t code) override;
    std::string SystemErrorText(uint32_t code) override;

private:
    bool Fail(uint32_t code) {
        lastError_ = code;
        return false;
    }

    FakeHttpServer& s_;
    uint32_t lastError_ = 0;
    size_t chunk_ = 0;
};

inline std::unique_ptr<HttpTransfer> MakeFakeTransfer(FakeHttpServer& server) {
    return std::make_unique<FakeHttpTransfer>(server);
}

}  // namespace rb
