// Other processes for cross-process tests: the built stand-ins and Program
// Manager server, started on the test's prefix and stopped at the end.
#pragma once

#include "platform/kernel32/profile.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace testing_ipc {

// Where the build put the tools: T98_BUILD_DIR under CTest, else the test program's own folder.
inline std::string BuildDir() {
    if (const char* dir = getenv("T98_BUILD_DIR")) return dir;
    char self[4096];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, length > 0 ? length : 0);
    return path.substr(0, path.rfind('/'));
}

inline std::string StandinPath(const char* program) { return BuildDir() + "/tools/standins/" + program; }
inline std::string ProgmanPath() { return BuildDir() + "/tools/progman/progman"; }

// Polls until the condition holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

class ChildProcesses {
public:
    ~ChildProcesses() { StopAll(); }

    // Starts a program on the current profile's prefix, headless, with extra VAR=value settings.
    pid_t Start(const std::string& program, const std::vector<std::string>& args = {},
                const std::vector<std::string>& settings = {}) {
        std::vector<std::string> env;
        for (char** entry = environ; *entry; ++entry) {
            std::string text = *entry;
            if (text.rfind("T98_", 0) != 0) env.push_back(text);
        }
        env.push_back("T98_PREFIX=" + layer::CurrentProfile().prefix);
        env.push_back("T98_DISPLAY=headless");
        env.insert(env.end(), settings.begin(), settings.end());
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, Pointers(argv).data(), Pointers(env).data()) != 0)
            return 0;
        children_.push_back(pid);
        return pid;
    }

    // True when the child ended by itself within the time.
    bool Exited(pid_t pid, int timeoutMs = 5000) {
        if (!WaitUntil([&] { return waitpid(pid, nullptr, WNOHANG) == pid; }, timeoutMs)) return false;
        children_.erase(std::remove(children_.begin(), children_.end(), pid), children_.end());
        return true;
    }

    void StopAll() {
        for (pid_t pid : children_) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        children_.clear();
    }

private:
    static std::vector<char*> Pointers(std::vector<std::string>& texts) {
        std::vector<char*> pointers;
        for (std::string& text : texts) pointers.push_back(&text[0]);
        pointers.push_back(nullptr);
        return pointers;
    }

    std::vector<pid_t> children_;
};

}  // namespace testing_ipc
