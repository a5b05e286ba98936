#include "platform/kernel32/paths.h"
#include "platform/win32.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

BOOL Fail(DWORD code) {
    SetLastError(code);
    return FALSE;
}

}  // namespace

BOOL WINAPI CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES) {
    if (!path) return Fail(ERROR_PATH_NOT_FOUND);
    layer::HostPath host = layer::ResolveWindowsPath(path);
    if (host.result != layer::PathResult::Ok) return Fail(layer::Win32ErrorFromPathResult(host.result));
    if (host.exists) return Fail(ERROR_ALREADY_EXISTS);
    if (mkdir(host.path.c_str(), 0777) != 0)
        return Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : layer::Win32ErrorFromErrno(errno));
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR path) {
    if (!path) return Fail(ERROR_PATH_NOT_FOUND);
    layer::HostPath host = layer::ResolveWindowsPath(path);
    if (host.result != layer::PathResult::Ok) return Fail(layer::Win32ErrorFromPathResult(host.result));
    if (!host.exists) return Fail(ERROR_FILE_NOT_FOUND);
    if (rmdir(host.path.c_str()) != 0)
        return Fail(errno == ENOTDIR ? ERROR_DIRECTORY : layer::Win32ErrorFromErrno(errno));
    return TRUE;
}

DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    std::string current = layer::CurrentWindowsDirectory();
    if (!buffer || size <= current.size()) return static_cast<DWORD>(current.size() + 1);
    std::memcpy(buffer, current.c_str(), current.size() + 1);
    return static_cast<DWORD>(current.size());
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR path) {
    if (!path) return Fail(ERROR_INVALID_PARAMETER);
    layer::HostPath host = layer::ResolveWindowsPath(path);
    if (host.result != layer::PathResult::Ok) return Fail(layer::Win32ErrorFromPathResult(host.result));
    if (!host.exists) return Fail(ERROR_FILE_NOT_FOUND);
    struct stat info;
    if (stat(host.path.c_str(), &info) != 0) return Fail(layer::Win32ErrorFromErrno(errno));
    if (!S_ISDIR(info.st_mode)) return Fail(ERROR_DIRECTORY);
    if (chdir(host.path.c_str()) != 0) return Fail(layer::Win32ErrorFromErrno(errno));
    return TRUE;
}
