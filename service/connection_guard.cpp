#include "service/connection_guard.h"

#include <dirent.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>

namespace rb::service {
namespace {

constexpr auto kNever = ConnectionGuard::Clock::time_point::max();
constexpr std::chrono::milliseconds kScanInterval{100};

// The address and port of a socket's peer, or of its own end.
std::optional<std::pair<std::string, int>> EndOf(int socket, bool peer) {
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    auto* a = reinterpret_cast<sockaddr*>(&address);
    if ((peer ? getpeername(socket, a, &size) : getsockname(socket, a, &size)) != 0) {
        return std::nullopt;
    }
    char host[NI_MAXHOST];
    char service[NI_MAXSERV];
    if (getnameinfo(a, size, host, sizeof host, service, sizeof service,
                    NI_NUMERICHOST | NI_NUMERICSERV) != 0) {
        return std::nullopt;
    }
    return std::make_pair(std::string(host), std::atoi(service));
}

}  // namespace

ConnectionGuard::ConnectionGuard(std::chrono::milliseconds requestDeadline)
    : deadline_(requestDeadline), watcher_([this] { Run(); }) {}

ConnectionGuard::~ConnectionGuard() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    watcher_.join();
}

void ConnectionGuard::Watch(int port) {
    std::lock_guard<std::mutex> lock(mutex_);
    port_ = port;
}

void ConnectionGuard::Arm(const Peer& peer, Clock::time_point deadline) {
    std::lock_guard<std::mutex> lock(mutex_);
    Entry& entry = entries_[peer];
    entry.deadline = deadline;
    entry.seen = true;  // not dropped before the next scan finds its socket
}

void ConnectionGuard::RequestRead(const std::string& address, int port) {
    Arm({address, port}, kNever);
}

void ConnectionGuard::RequestAnswered(const std::string& address, int port,
                                      std::chrono::seconds idle) {
    Arm({address, port}, Clock::now() + idle + deadline_);
}

// One look at the open sockets: new connections get their deadline, late ones are shut down
// (their number checked again just before, as a worker may have closed and reused it), and
// connections no longer open are forgotten.
void ConnectionGuard::Scan(Clock::time_point now) {
    for (auto& [peer, entry] : entries_) entry.seen = false;
    DIR* fds = opendir("/proc/self/fd");
    if (!fds) return;
    while (const dirent* e = readdir(fds)) {
        const int fd = std::atoi(e->d_name);
        struct stat info {};
        if (e->d_name[0] == '.' || fd == dirfd(fds) || fstat(fd, &info) != 0 ||
            !S_ISSOCK(info.st_mode)) {
            continue;
        }
        const auto local = EndOf(fd, false);
        if (!local || local->second != port_) continue;
        const auto peer = EndOf(fd, true);
        if (!peer) continue;  // the listening socket
        const auto [it, added] = entries_.try_emplace(*peer);
        Entry& entry = it->second;
        if (added) entry.deadline = now + deadline_;
        entry.socket = fd;
        entry.seen = true;
        if (entry.deadline <= now && EndOf(fd, true) == peer) {
            shutdown(fd, SHUT_RDWR);
            entry.deadline = kNever;
        }
    }
    closedir(fds);
    for (auto it = entries_.begin(); it != entries_.end();) {
        it = it->second.seen ? std::next(it) : entries_.erase(it);
    }
}

void ConnectionGuard::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (port_ != 0) Scan(Clock::now());
        changed_.wait_for(lock, kScanInterval);
    }
}

}  // namespace rb::service
