#include "platform/ipc/channel.h"

#include "platform/ipc/runtime_folder.h"
#include "platform/user32/event_sources.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace layer {
namespace {

constexpr unsigned kNoLimit = 0xFFFFFFFFu;
// How long a listener waits for the request of a peer that has connected.
constexpr int kRequestArrivalMs = 1000;
constexpr size_t kMaxRecord = sizeof(unsigned) + kMaxRequestBody;

struct Listener {
    int fd = -1;
    pid_t pid = 0;  // the process that opened it: a forked child starts its own
    std::string path;
};

Listener& TheListener() {
    static Listener listener;
    return listener;
}

RequestHandler& HandlerFor(RequestKind kind) {
    static RequestHandler handlers[8] = {};
    return handlers[static_cast<unsigned>(kind) & 7];
}

bool SocketPathFor(pid_t pid, sockaddr_un* address) {
    const std::string& folder = PrefixRuntimeFolder();
    if (folder.empty()) return false;
    std::string path = folder + "/" + std::to_string(pid) + ".sock";
    if (path.size() >= sizeof address->sun_path) return false;
    memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    memcpy(address->sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool PeerIsSameUser(int fd) {
    ucred peer;
    socklen_t size = sizeof peer;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return false;
    return peer.uid == geteuid();
}

// Milliseconds left before deadline; -1 stands for no limit.
int RemainingMs(std::chrono::steady_clock::time_point deadline, bool unlimited) {
    if (unlimited) return -1;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool WaitReadable(int fd, int timeoutMs) {
    pollfd entry{fd, POLLIN, 0};
    for (;;) {
        int ready = poll(&entry, 1, timeoutMs);
        if (ready > 0) return true;
        if (ready == 0 || errno != EINTR) return false;
    }
}

void AnswerConnection(int fd) {
    if (!PeerIsSameUser(fd) || !WaitReadable(fd, kRequestArrivalMs)) return;
    std::string record(kMaxRecord, '\0');
    ssize_t got = recv(fd, &record[0], record.size(), MSG_TRUNC);
    if (got < static_cast<ssize_t>(sizeof(unsigned)) || got > static_cast<ssize_t>(record.size())) return;
    unsigned kind;
    memcpy(&kind, record.data(), sizeof kind);
    RequestHandler handler = HandlerFor(static_cast<RequestKind>(kind));
    if (kind == 0 || kind > 7 || !handler) return;
    // A leading mark keeps an empty answer apart from a closed connection.
    std::string answer = "A" + handler(record.substr(sizeof kind, got - sizeof kind));
    send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
}

void OnListenerReady() {
    // Each connection is answered in full before the next is taken; a handler
    // that runs a modal loop may take later ones from inside it.
    for (;;) {
        int fd = accept4(TheListener().fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) return;
        AnswerConnection(fd);
        close(fd);
    }
}

void RemoveSocketFile() {
    Listener& listener = TheListener();
    if (listener.fd >= 0 && listener.pid == getpid()) unlink(listener.path.c_str());
}

// Waits for the answer on fd. Meanwhile requests sent to this process are answered, as a
// thread waiting in SendMessage handles the messages sent to it: two processes sending to
// each other at once do not wait on each other.
bool WaitForAnswer(int fd, std::chrono::steady_clock::time_point deadline, bool unlimited) {
    const Listener& listener = TheListener();
    bool listening = listener.fd >= 0 && listener.pid == getpid();
    for (;;) {
        pollfd entries[2] = {{fd, POLLIN, 0}, {listener.fd, POLLIN, 0}};
        int ready = poll(entries, listening ? 2 : 1, RemainingMs(deadline, unlimited));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        if (entries[0].revents) return true;
        OnListenerReady();
    }
}

int ConnectTo(pid_t pid, std::chrono::steady_clock::time_point deadline, bool unlimited) {
    sockaddr_un address;
    if (!SocketPathFor(pid, &address)) return -1;
    int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    // A full backlog means the target is busy: try again until the deadline.
    while (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (errno != EAGAIN || RemainingMs(deadline, unlimited) == 0) {
            close(fd);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!PeerIsSameUser(fd)) {
        close(fd);
        return -1;
    }
    return fd;
}

bool SendRecord(int fd, RequestKind kind, const std::string& body) {
    if (body.size() > kMaxRequestBody) return false;
    std::string record(sizeof(unsigned), '\0');
    unsigned value = static_cast<unsigned>(kind);
    memcpy(&record[0], &value, sizeof value);
    record += body;
    return send(fd, record.data(), record.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(record.size());
}

}  // namespace

void SetRequestHandler(RequestKind kind, RequestHandler handler) { HandlerFor(kind) = handler; }

bool EnsureListening() {
    Listener& listener = TheListener();
    sockaddr_un address;
    if (!SocketPathFor(getpid(), &address)) return false;
    if (listener.fd >= 0 && listener.pid == getpid() && listener.path == address.sun_path) return true;
    if (listener.fd >= 0) {
        // Inherited over fork (the parent's socket), or made for a prefix no longer in force.
        if (listener.pid == getpid()) unlink(listener.path.c_str());
        RemoveEventSource(listener.fd);
        close(listener.fd);
        listener.fd = -1;
    }
    int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    unlink(address.sun_path);  // left by an earlier process with our pid
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 64) != 0) {
        close(fd);
        return false;
    }
    static bool exitHookSet = false;
    if (!exitHookSet) exitHookSet = atexit(RemoveSocketFile) == 0;
    listener.fd = fd;
    listener.pid = getpid();
    listener.path = address.sun_path;
    AddEventSource(fd, OnListenerReady);
    return true;
}

CallResult CallProcess(pid_t pid, RequestKind kind, const std::string& body, unsigned timeoutMs,
                       std::string* answer) {
    bool unlimited = timeoutMs == kNoLimit;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(unlimited ? 0 : timeoutMs);
    int fd = ConnectTo(pid, deadline, unlimited);
    if (fd < 0) return CallResult::Unreachable;
    if (!SendRecord(fd, kind, body)) {
        close(fd);
        return CallResult::Unreachable;
    }
    for (;;) {
        if (!WaitForAnswer(fd, deadline, unlimited)) {
            close(fd);
            return CallResult::TimedOut;
        }
        std::string record(kMaxRecord, '\0');
        ssize_t got = recv(fd, &record[0], record.size(), MSG_DONTWAIT);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        close(fd);
        // An orderly close without an answer: the target dropped the request (its window is gone).
        if (got <= 0) return CallResult::Unreachable;
        if (answer) answer->assign(record.data() + 1, got - 1);
        return CallResult::Answered;
    }
}

bool NotifyProcess(pid_t pid, RequestKind kind, const std::string& body) {
    int fd = ConnectTo(pid, std::chrono::steady_clock::now() + std::chrono::milliseconds(1000), false);
    if (fd < 0) return false;
    bool sent = SendRecord(fd, kind, body);
    close(fd);
    return sent;
}

}  // namespace layer
