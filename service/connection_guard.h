// A deadline for every request the service reads: its headers and body must arrive whole
// within it, so clients that trickle bytes cannot hold the workers. The HTTP library keeps
// its accepted sockets to itself; the guard finds them among the process's open sockets (those
// connected to the service's port), times each connection from when it is first seen, and
// shuts down the ones whose request is late, which ends their worker's wait at once.
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace rb::service {

class ConnectionGuard {
public:
    using Clock = std::chrono::steady_clock;

    explicit ConnectionGuard(std::chrono::milliseconds requestDeadline);
    ~ConnectionGuard();
    ConnectionGuard(const ConnectionGuard&) = delete;
    ConnectionGuard& operator=(const ConnectionGuard&) = delete;

    // Starts watching the connections accepted on this local port.
    void Watch(int port);
    // The connection from this peer has read its request whole: no deadline while it is
    // answered.
    void RequestRead(const std::string& address, int port);
    // Its request was answered: the next one, after `idle` at most, must arrive in time.
    void RequestAnswered(const std::string& address, int port, std::chrono::seconds idle);

private:
    using Peer = std::pair<std::string, int>;
    struct Entry {
        int socket = -1;
        Clock::time_point deadline;
        bool seen = false;
    };
    void Run();
    void Scan(Clock::time_point now);
    void Arm(const Peer& peer, Clock::time_point deadline);

    const std::chrono::milliseconds deadline_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<Peer, Entry> entries_;
    int port_ = 0;
    bool stopping_ = false;
    std::thread watcher_;
};

}  // namespace rb::service
