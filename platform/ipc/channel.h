// Requests between processes of one user and prefix: each process that has
// windows or DDE services listens on one socket named after its pid, and
// answers requests from its GUI thread, where it waits for messages.
#pragma once

#include <string>
#include <sys/types.h>

namespace layer {

enum class RequestKind : unsigned {
    SendMessage = 1,
    PostMessage = 2,
    DdeConnect = 3,
    DdeExecute = 4,
    DdeDisconnect = 5,
};
enum { kMaxRequestBody = 65536 };

// Runs on the GUI thread for each request of its kind; the result is the answer's body.
using RequestHandler = std::string (*)(const std::string& body);
void SetRequestHandler(RequestKind kind, RequestHandler handler);

// Starts this process's socket (once per process); false when the runtime folder is unusable.
bool EnsureListening();

enum class CallResult { Answered, Unreachable, TimedOut };
// Sends a request and waits up to timeoutMs (0xFFFFFFFF: no limit) for the answer.
CallResult CallProcess(pid_t pid, RequestKind kind, const std::string& body, unsigned timeoutMs,
                       std::string* answer);
// Delivers a request without waiting for its answer.
bool NotifyProcess(pid_t pid, RequestKind kind, const std::string& body);

}  // namespace layer
