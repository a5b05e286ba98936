#include "platform/kernel32/paths.h"
#include "platform/kernel32/share_modes.h"
#include "platform/win32.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

BOOL Fail(DWORD code) {
    SetLastError(code);
    return FALSE;
}

// True when an open of the file elsewhere does not share deletion (nor, then, renaming).
bool DeletionRefused(const std::string& hostPath) {
    int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    bool refused = layer::AccessRefusedByOthers(fd, layer::kShareAccessDelete);
    close(fd);
    return refused;
}

// Resolves a path that must name an existing entry; fails with the Win32 code otherwise.
bool ResolveExisting(LPCSTR path, layer::HostPath* host) {
    if (!path) return Fail(ERROR_PATH_NOT_FOUND);
    *host = layer::ResolveWindowsPath(path);
    if (host->result != layer::PathResult::Ok) return Fail(layer::Win32ErrorFromPathResult(host->result));
    if (!host->exists) return Fail(ERROR_FILE_NOT_FOUND);
    return true;
}

}  // namespace

DWORD WINAPI GetFileAttributesA(LPCSTR path) {
    layer::HostPath host;
    struct stat info;
    if (!ResolveExisting(path, &host)) return INVALID_FILE_ATTRIBUTES;
    if (stat(host.path.c_str(), &info) != 0) {
        SetLastError(layer::Win32ErrorFromErrno(errno));
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(info.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
    if (layer::IsHiddenName(host.path)) attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

BOOL WINAPI DeleteFileA(LPCSTR path) {
    layer::HostPath host;
    struct stat info;
    if (!ResolveExisting(path, &host)) return FALSE;
    if (lstat(host.path.c_str(), &info) != 0) return Fail(layer::Win32ErrorFromErrno(errno));
    if (S_ISDIR(info.st_mode) || (S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR)))
        return Fail(ERROR_ACCESS_DENIED);
    if (DeletionRefused(host.path)) return Fail(ERROR_SHARING_VIOLATION);
    if (unlink(host.path.c_str()) != 0) return Fail(layer::Win32ErrorFromErrno(errno));
    return TRUE;
}

BOOL WINAPI MoveFileA(LPCSTR source, LPCSTR target) {
    layer::HostPath from;
    if (!ResolveExisting(source, &from)) return FALSE;
    if (!target) return Fail(ERROR_PATH_NOT_FOUND);
    layer::HostPath to = layer::ResolveWindowsPath(target);
    if (to.result != layer::PathResult::Ok) return Fail(layer::Win32ErrorFromPathResult(to.result));
    // A rename that only changes the letter case of the same entry is allowed.
    if (to.exists && to.path != from.path) return Fail(ERROR_ALREADY_EXISTS);
    if (DeletionRefused(from.path)) return Fail(ERROR_SHARING_VIOLATION);
    if (rename(from.path.c_str(), to.path.c_str()) == 0) return TRUE;
    if (errno != EXDEV) return Fail(layer::Win32ErrorFromErrno(errno));
    // Another file system: files are copied and the original removed; folders cannot move.
    struct stat info;
    if (stat(from.path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return Fail(ERROR_NOT_SAME_DEVICE);
    if (!CopyFileA(source, target, TRUE)) return FALSE;
    if (unlink(from.path.c_str()) != 0) return Fail(layer::Win32ErrorFromErrno(errno));
    return TRUE;
}
