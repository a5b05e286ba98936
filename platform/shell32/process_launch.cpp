#include "platform/shell32/process_launch.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace layer {
namespace {

// Started programs are reaped as later starts come by, so none stays a zombie for long.
std::vector<pid_t>& Started() {
    static std::vector<pid_t> pids;
    return pids;
}

void ReapFinished() {
    std::vector<pid_t>& pids = Started();
    for (size_t i = 0; i < pids.size();) {
        if (waitpid(pids[i], nullptr, WNOHANG) != 0) pids.erase(pids.begin() + i);
        else ++i;
    }
}

}  // namespace

int LaunchProgram(const std::vector<std::string>& argv, const std::string& workingFolder) {
    ReapFinished();
    if (argv.empty()) return ENOENT;
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!workingFolder.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    pid_t pid;
    int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error == 0) Started().push_back(pid);
    return error;
}

}  // namespace layer
