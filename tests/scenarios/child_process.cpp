#include "scenarios/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& overrides) {
    std::vector<std::string> merged;
    for (char** entry = environ; *entry; ++entry) {
        std::string text = *entry;
        std::string name = text.substr(0, text.find('='));
        if (!overrides.count(name)) merged.push_back(text);
    }
    for (const auto& [name, value] : overrides)
        if (!value.empty()) merged.push_back(name + "=" + value);
    return merged;
}

void Redirect(const std::string& path, int flags, int target) {
    int fd = open(path.empty() ? "/dev/null" : path.c_str(), flags, 0644);
    if (fd < 0) _exit(126);
    dup2(fd, target);
    close(fd);
}

std::vector<pid_t> ProcessesUnder(const std::string& folder) {
    std::vector<pid_t> found;
    DIR* proc = opendir("/proc");
    if (!proc) return found;
    while (dirent* entry = readdir(proc)) {
        pid_t pid = atoi(entry->d_name);
        if (pid <= 0) continue;
        char exe[4096];
        ssize_t length = readlink(("/proc/" + std::string(entry->d_name) + "/exe").c_str(), exe, sizeof exe - 1);
        if (length <= 0) continue;
        exe[length] = '\0';
        if (strncmp(exe, folder.c_str(), folder.size()) == 0 && exe[folder.size()] == '/') found.push_back(pid);
    }
    closedir(proc);
    return found;
}

}  // namespace

pid_t StartChild(const ChildSpec& spec) {
    std::vector<std::string> environment = MergedEnvironment(spec.env);
    std::vector<char*> argv, envp;
    for (const std::string& word : spec.argv) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    pid_t pid = fork();
    if (pid != 0) return pid;
    if (!spec.cwd.empty() && chdir(spec.cwd.c_str()) != 0) _exit(126);
    Redirect(spec.stdinFile, O_RDONLY, 0);
    Redirect(spec.stdoutFile, O_WRONLY | O_CREAT | O_APPEND, 1);
    dup2(1, 2);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
}

int WaitChild(pid_t pid, int timeoutMs, rusage* usage) {
    for (int waited = 0;; ++waited) {
        int status = 0;
        pid_t done = wait4(pid, &status, WNOHANG, usage);
        if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (done < 0 && errno != EINTR) return -1;
        if (waited >= timeoutMs) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        usleep(1000);
    }
}

bool ChildRunning(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == 0; }

void EndChild(pid_t pid) {
    if (!ChildRunning(pid)) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

void EndProcessesUnder(const std::string& folder) {
    for (pid_t pid : ProcessesUnder(folder)) kill(pid, SIGKILL);
    for (int tries = 0; tries < 200 && AnyProcessUnder(folder); ++tries) usleep(10000);
}

bool AnyProcessUnder(const std::string& folder) { return !ProcessesUnder(folder).empty(); }
