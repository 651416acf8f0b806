// A plain HTTP/1.1 client for the service's load tests and benchmark: one kept connection to
// one service, a POST at a time, every wait bounded. Failures (refused, reset, timed out) raise
// rb::Exception and drop the connection; the next post connects again.
#pragma once

#include <chrono>
#include <string>

namespace rb::test {

class HttpPoster {
public:
    // `url`: "http://HOST:PORT/PATH" (an IPv4 address or a name).
    explicit HttpPoster(const std::string& url);
    ~HttpPoster();
    HttpPoster(const HttpPoster&) = delete;
    HttpPoster& operator=(const HttpPoster&) = delete;

    struct Reply {
        int status = 0;
        std::string body;
    };
    // Posts `body` and reads the whole reply. A kept connection the service closed meanwhile
    // (before a byte of the reply came) is made again once.
    Reply Post(const std::string& body, std::chrono::milliseconds timeout);
    // Sends the request whole and hangs up without reading the reply: a reply lost on its way.
    void PostAndHangUp(const std::string& body);

private:
    void Connect(std::chrono::steady_clock::time_point deadline);
    void Close();
    void Send(const std::string& bytes, std::chrono::steady_clock::time_point deadline);
    Reply Receive(std::chrono::steady_clock::time_point deadline, bool& nothing);
    std::string Request(const std::string& body) const;

    std::string host_, path_;
    int port_ = 80;
    int socket_ = -1;
    bool reused_ = false;  // the connection already carried a reply
};

}  // namespace rb::test
