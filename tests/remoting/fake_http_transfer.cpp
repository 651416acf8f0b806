#include "remoting/fake_http_transfer.h"

#include <cstring>

namespace rb {

HttpTransfer::OpenResult FakeHttpTransfer::Open(const std::string& userAgent) {
    s_.log.push_back("open:" + userAgent);
    if (s_.openResult == OpenResult::Failed) lastError_ = s_.errorCode;
    return s_.openResult;
}

bool FakeHttpTransfer::Connect(const std::string& host, uint16_t port, const std::string& user,
                               const std::string& password) {
    s_.log.push_back("connect:" + host + ":" + std::to_string(port) + ":" + user + ":" + password);
    return s_.connectFails ? Fail(s_.errorCode) : true;
}

bool FakeHttpTransfer::OpenRequest(const std::string& path,
                                   const std::vector<std::string>& acceptTypes, bool secure) {
    std::string accept;
    for (const std::string& a : acceptTypes) accept += "[" + a + "]";
    s_.log.push_back("request:" + path + ":" + accept + (secure ? ":secure" : ""));
    chunk_ = 0;
    return true;
}

bool FakeHttpTransfer::SendRequest(const std::string& headers, const uint8_t* body, size_t size) {
    s_.log.push_back("send:" + std::to_string(size));
    s_.sentHeaders.push_back(headers);
    s_.sentBodies.emplace_back(reinterpret_cast<const char*>(body), size);
    if (s_.sendFailures > 0) {
        --s_.sendFailures;
        return Fail(s_.errorCode);
    }
    return true;
}

HttpTransfer::SendOutcome FakeHttpTransfer::AfterSend() {
    if (s_.alwaysResend) return SendOutcome::Resend;
    if (s_.afterSend.empty()) return SendOutcome::Done;
    const SendOutcome outcome = s_.afterSend.front();
    s_.afterSend.pop_front();
    return outcome;
}

bool FakeHttpTransfer::QueryStatusCode(uint32_t& code) {
    s_.log.push_back("status");
    code = s_.status;
    return s_.statusReadable ? true : Fail(12150);
}

bool FakeHttpTransfer::QueryStatusText(std::string& text) {
    s_.log.push_back("statusText");
    text = s_.statusText;
    return s_.statusTextReadable ? true : Fail(12150);
}

bool FakeHttpTransfer::QueryContentLength(uint32_t& length) {
    s_.log.push_back("length");
    if (s_.omitContentLength) return Fail(12150);
    size_t total = 0;
    for (const std::string& c : s_.chunks) total += c.size();
    length = s_.contentLength.value_or(static_cast<uint32_t>(total));
    return true;
}

bool FakeHttpTransfer::QueryDataAvailable(uint32_t& count) {
    s_.log.push_back("available");
    count = chunk_ < s_.chunks.size() ? static_cast<uint32_t>(s_.chunks[chunk_].size()) : 0;
    return true;
}

bool FakeHttpTransfer::ReadData(uint8_t* buffer, uint32_t size, uint32_t& read) {
    s_.log.push_back("read:" + std::to_string(size));
    const std::string& c = s_.chunks.at(chunk_++);
    read = static_cast<uint32_t>(c.size() < size ? c.size() : size);
    std::memcpy(buffer, c.data(), read);
    return true;
}

std::string FakeHttpTransfer::ErrorText(uint32_t code) {
    const auto it = s_.errorTexts.find(code);
    return it == s_.errorTexts.end() ? "" : it->second;
}

std::string FakeHttpTransfer::SystemErrorText(uint32_t code) {
    const auto it = s_.systemTexts.find(code);
    return it == s_.systemTexts.end() ? "" : it->second;
}

}  // namespace rb
