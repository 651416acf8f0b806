// A transfer for builds that have no HTTP client yet: every exchange fails at once with a
// message saying so, instead of pretending to send.
#pragma once

#include "remoting/http_transfer.h"

namespace rb {

class UnavailableHttpTransfer : public HttpTransfer {
public:
    static constexpr uint32_t kCode = 12001;  // any non-zero code: the text is what counts

    OpenResult Open(const std::string&) override { return OpenResult::Failed; }
    bool Connect(const std::string&, uint16_t, const std::string&, const std::string&) override {
        return false;
    }
    void Close() override {}
    bool OpenRequest(const std::string&, const std::vector<std::string>&, bool) override {
        return false;
    }
    bool SendRequest(const std::string&, const uint8_t*, size_t) override { return false; }
    SendOutcome AfterSend() override { return SendOutcome::Done; }
    bool QueryStatusCode(uint32_t&) override { return false; }
    bool QueryStatusText(std::string&) override { return false; }
    bool QueryContentLength(uint32_t&) override { return false; }
    bool QueryDataAvailable(uint32_t&) override { return false; }
    bool ReadData(uint8_t*, uint32_t, uint32_t&) override { return false; }
    void CloseRequest() override {}
    uint32_t LastError() override { return kCode; }
    std::string ErrorText(uint32_t) override {
        return "This build of the program has no HTTP client: direct sending is not available";
    }
    std::string SystemErrorText(uint32_t code) override { return ErrorText(code); }
};

}  // namespace rb
