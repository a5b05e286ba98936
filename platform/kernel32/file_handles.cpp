#include "platform/common/handle_table.h"
#include "platform/kernel32/paths.h"
#include "platform/kernel32/share_modes.h"
#include "platform/win32.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct OpenFile {
    int fd = -1;
    DWORD access = 0;  // ShareAccess bits granted
    ~OpenFile() {
        if (fd >= 0) close(fd);
    }
};

std::mutex tableLock;
layer::HandleTable<OpenFile>& Files() {
    static layer::HandleTable<OpenFile> table(layer::kTagKernelObject);
    return table;
}

HANDLE Fail(DWORD code) {
    SetLastError(code);
    return INVALID_HANDLE_VALUE;
}

bool ValidDisposition(DWORD disposition) { return disposition >= CREATE_NEW && disposition <= TRUNCATE_EXISTING; }

// Runs f on the open file behind a handle, or fails with ERROR_INVALID_HANDLE.
template <typename F>
BOOL WithFile(HANDLE handle, F f) {
    std::lock_guard<std::mutex> guard(tableLock);
    OpenFile* file = Files().Get(reinterpret_cast<uintptr_t>(handle));
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return f(*file);
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES, DWORD disposition,
                          DWORD flags, HANDLE) {
    if (!path || !ValidDisposition(disposition)) return Fail(ERROR_INVALID_PARAMETER);
    layer::HostPath host = layer::ResolveWindowsPath(path);
    if (host.result != layer::PathResult::Ok) return Fail(layer::Win32ErrorFromPathResult(host.result));

    struct stat info;
    bool exists = host.exists && stat(host.path.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) return Fail(ERROR_ACCESS_DENIED);
    if (exists && disposition == CREATE_NEW) return Fail(ERROR_FILE_EXISTS);
    if (!exists && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING))
        return Fail(ERROR_FILE_NOT_FOUND);
    DWORD granted = layer::ShareAccessFromDesiredAccess(access);
    bool writes = (granted & layer::kShareAccessWrite) != 0;
    if (disposition == TRUNCATE_EXISTING && !writes) return Fail(ERROR_INVALID_PARAMETER);
    // Root may write anything; the read-only attribute still refuses it, as on Windows.
    if (exists && writes && !(info.st_mode & S_IWUSR)) return Fail(ERROR_ACCESS_DENIED);

    // Opened for reading too where possible, so that share modes can be recorded.
    int mode = (flags & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int openFlags = O_CLOEXEC | (exists ? 0 : O_CREAT | O_EXCL);
    int fd = open(host.path.c_str(), openFlags | (writes ? O_RDWR : O_RDONLY), mode);
    if (fd < 0 && writes && errno == EACCES) fd = open(host.path.c_str(), openFlags | O_WRONLY, mode);
    if (fd < 0) return Fail(errno == EEXIST ? ERROR_FILE_EXISTS : layer::Win32ErrorFromErrno(errno));

    auto file = std::make_unique<OpenFile>();
    file->fd = fd;
    file->access = granted;
    if (!layer::RecordShareMode(fd, granted, share)) return Fail(ERROR_SHARING_VIOLATION);
    if (exists && (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) && ftruncate(fd, 0) != 0)
        return Fail(layer::Win32ErrorFromErrno(errno));

    std::lock_guard<std::mutex> guard(tableLock);
    uintptr_t handle = Files().Add(std::move(file));
    if (!handle) return Fail(ERROR_TOO_MANY_OPEN_FILES);
    // An existing file opened by a disposition that may create reports so.
    SetLastError(exists && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                        : ERROR_SUCCESS);
    return reinterpret_cast<HANDLE>(handle);
}

BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped) {
    if (read) *read = 0;
    return WithFile(handle, [&](OpenFile& file) -> BOOL {
        if (overlapped || (!buffer && toRead) || !read) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        if (!(file.access & layer::kShareAccessRead)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        DWORD total = 0;
        while (total < toRead) {
            ssize_t n = ::read(file.fd, static_cast<char*>(buffer) + total, toRead - total);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                *read = total;
                SetLastError(layer::Win32ErrorFromErrno(errno));
                return FALSE;
            }
            if (n == 0) break;
            total += static_cast<DWORD>(n);
        }
        *read = total;
        return TRUE;
    });
}

BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED overlapped) {
    if (written) *written = 0;
    return WithFile(handle, [&](OpenFile& file) -> BOOL {
        if (overlapped || (!buffer && toWrite) || !written) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        if (!(file.access & layer::kShareAccessWrite)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        DWORD total = 0;
        while (total < toWrite) {
            ssize_t n = ::write(file.fd, static_cast<const char*>(buffer) + total, toWrite - total);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                *written = total;
                SetLastError(layer::Win32ErrorFromErrno(errno));
                return FALSE;
            }
            total += static_cast<DWORD>(n);
        }
        *written = total;
        return TRUE;
    });
}

BOOL WINAPI CloseHandle(HANDLE handle) {
    std::lock_guard<std::mutex> guard(tableLock);
    if (!Files().Remove(reinterpret_cast<uintptr_t>(handle))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
