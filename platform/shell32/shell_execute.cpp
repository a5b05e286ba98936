// ShellExecuteA "open": a program is started directly, a document through its
// registered file type, else through the desktop's opener.
#include "platform/kernel32/paths.h"
#include "platform/shell32/command_line.h"
#include "platform/shell32/file_association.h"
#include "platform/shell32/process_launch.h"
#include "platform/win32.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace layer;

namespace {

// Any value above 32 reports success.
constexpr uintptr_t kStarted = 42;

HINSTANCE Result(uintptr_t code) { return reinterpret_cast<HINSTANCE>(code); }

HINSTANCE LaunchResult(int error) {
    switch (error) {
    case 0: return Result(kStarted);
    case ENOENT: return Result(SE_ERR_FNF);
    case ENOEXEC: return Result(ERROR_BAD_FORMAT);
    case ENOMEM: return Result(SE_ERR_OOM);
    default: return Result(SE_ERR_ACCESSDENIED);
    }
}

std::string Extension(const std::string& path) {
    size_t slash = path.find_last_of('/');
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return path.substr(dot);
}

bool IsProgram(const std::string& hostPath) {
    struct stat st;
    if (stat(hostPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    std::string extension = Extension(hostPath);
    return strcasecmp(extension.c_str(), ".exe") == 0 || strcasecmp(extension.c_str(), ".com") == 0 ||
           access(hostPath.c_str(), X_OK) == 0;
}

std::string FindInSearchPath(const std::string& name) {
    const char* path = getenv("PATH");
    std::string folders = path ? path : "";
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        std::string candidate = folders.substr(start, end - start) + "/" + name;
        if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

// The program a registered command names: a Windows path, or a bare name looked up in PATH.
std::string ProgramHostPath(const std::string& program) {
    if (program.find_first_of("\\:/") == std::string::npos) return FindInSearchPath(program);
    HostPath resolved = ResolveWindowsPath(program);
    return resolved.exists ? resolved.path : "";
}

bool IsRelative(const std::string& path) {
    return !(path.size() >= 2 && path[1] == ':') && path[0] != '\\' && path[0] != '/';
}

}  // namespace

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, int) {
    if (operation && *operation && strcasecmp(operation, "open") != 0) return Result(SE_ERR_NOASSOC);
    if (!file || !*file || strnlen(file, MAX_PATH) >= MAX_PATH) return Result(SE_ERR_FNF);
    if (directory && strnlen(directory, MAX_PATH) >= MAX_PATH) return Result(SE_ERR_PNF);

    std::string workingFolder;
    std::string target = file;
    if (directory && *directory) {
        HostPath folder = ResolveWindowsPath(directory);
        if (!folder.exists) return Result(SE_ERR_PNF);
        workingFolder = folder.path;
        if (IsRelative(target)) target = std::string(directory) + "\\" + target;
    }
    HostPath path = ResolveWindowsPath(target);
    if (!path.exists) return Result(path.result == PathResult::PathNotFound ? SE_ERR_PNF : SE_ERR_FNF);
    std::string arguments = parameters ? parameters : "";

    if (IsProgram(path.path)) {
        std::vector<std::string> argv = SplitCommandLine(arguments);
        argv.insert(argv.begin(), path.path);
        return LaunchResult(LaunchProgram(argv, workingFolder));
    }
    std::string command = RegisteredOpenCommand(Extension(path.path));
    if (!command.empty()) {
        std::vector<std::string> argv =
            SplitCommandLine(ExpandOpenCommand(command, WindowsPathFromHost(path.path), arguments));
        if (argv.empty() || (argv[0] = ProgramHostPath(argv[0])).empty()) return Result(SE_ERR_FNF);
        return LaunchResult(LaunchProgram(argv, workingFolder));
    }
    std::string opener = FindInSearchPath("xdg-open");
    if (!opener.empty()) return LaunchResult(LaunchProgram({opener, path.path}, workingFolder));
    return Result(SE_ERR_NOASSOC);
}
