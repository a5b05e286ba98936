// Waiting for work besides the message queue: the display's input and other
// processes' messages, each a file descriptor watched with poll().
#include "platform/user32/event_sources.h"

#include <cerrno>
#include <cstddef>
#include <poll.h>
#include <vector>

namespace layer {
namespace {

struct EventSource {
    int fd;
    void (*onReady)();
};

std::vector<EventSource>& Sources() {
    static std::vector<EventSource> sources;
    return sources;
}

}  // namespace

void AddEventSource(int fd, void (*onReady)()) {
    if (fd < 0 || !onReady) return;
    RemoveEventSource(fd);
    Sources().push_back(EventSource{fd, onReady});
}

void RemoveEventSource(int fd) {
    auto& sources = Sources();
    for (auto it = sources.begin(); it != sources.end(); ++it) {
        if (it->fd == fd) {
            sources.erase(it);
            return;
        }
    }
}

bool PumpEventSources(int timeoutMs) {
    // A copy: a handler may add or remove sources while the ready ones run.
    std::vector<EventSource> watched = Sources();
    std::vector<pollfd> fds;
    for (const EventSource& s : watched) fds.push_back(pollfd{s.fd, POLLIN, 0});
    int ready;
    do {
        ready = poll(fds.data(), fds.size(), timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) return false;
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        // Still registered? An earlier handler may have withdrawn it.
        for (const EventSource& s : Sources()) {
            if (s.fd == watched[i].fd) {
                s.onReady();
                break;
            }
        }
    }
    return true;
}

}  // namespace layer
