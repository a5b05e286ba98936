#include "platform/kernel32/paths.h"
#include "platform/kernel32/profile.h"
#include "platform/kernel32/share_modes.h"
#include "platform/win32.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kChunk = size_t(1) << 30;

BOOL Fail(DWORD code) {
    SetLastError(code);
    return FALSE;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Copies `size` bytes from the current offsets in the kernel where it can:
// copy_file_range, else sendfile, else read and write. Returns 0 or an errno.
int CopyContents(int from, int to, off_t size) {
    // A full disk part-way through, for tests of what the copy leaves behind.
    bool diskFull = layer::FaultEnabled("disk_full");
    off_t limit = diskFull ? size / 2 : size;
    off_t copied = 0;
    enum { kCopyRange, kSendFile, kReadWrite } method = kCopyRange;
    char buffer[1 << 16];
    while (copied < limit) {
        size_t want = static_cast<size_t>(std::min<off_t>(limit - copied, kChunk));
        ssize_t n;
        if (method == kCopyRange) {
            n = copy_file_range(from, nullptr, to, nullptr, want, 0);
        } else if (method == kSendFile) {
            n = sendfile(to, from, nullptr, want);
        } else {
            n = read(from, buffer, std::min(want, sizeof buffer));
            for (ssize_t done = 0; n > 0 && done < n;) {
                ssize_t w = write(to, buffer + done, static_cast<size_t>(n - done));
                if (w < 0 && errno == EINTR) continue;
                if (w < 0) return errno;
                done += w;
            }
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && method != kReadWrite &&
            (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
            method = method == kCopyRange ? kSendFile : kReadWrite;
            continue;
        }
        if (n < 0) return errno;
        if (n == 0) break;  // the source shrank meanwhile
        copied += n;
    }
    return diskFull ? ENOSPC : 0;
}

DWORD CopyError(int err) { return err == ENOENT ? ERROR_PATH_NOT_FOUND : layer::Win32ErrorFromErrno(err); }

// An existing target must be a writable file that is neither hidden nor held: a
// running program (ETXTBSY) or an open that does not share writing makes it busy.
DWORD CheckReplaceable(const std::string& hostPath, const struct stat& info) {
    if (S_ISDIR(info.st_mode) || !(info.st_mode & S_IWUSR) || layer::IsHiddenName(hostPath))
        return ERROR_ACCESS_DENIED;
    int fd = open(hostPath.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && errno == EACCES) fd = open(hostPath.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return layer::Win32ErrorFromErrno(errno);
    Descriptor target(fd);
    if (layer::AccessRefusedByOthers(fd, layer::kShareAccessWrite)) return ERROR_SHARING_VIOLATION;
    return ERROR_SUCCESS;
}

// Moves the finished copy into place; with failIfExists never over a file that
// appeared meanwhile.
int Publish(const std::string& temporary, const std::string& target, bool failIfExists) {
    if (!failIfExists) return rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
    if (renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    if (link(temporary.c_str(), target.c_str()) != 0) return errno;
    unlink(temporary.c_str());
    return 0;
}

}  // namespace

BOOL WINAPI CopyFileA(LPCSTR source, LPCSTR target, BOOL failIfExists) {
    if (!source || !target) return Fail(ERROR_INVALID_PARAMETER);
    layer::HostPath from = layer::ResolveWindowsPath(source);
    if (from.result != layer::PathResult::Ok) return Fail(layer::Win32ErrorFromPathResult(from.result));
    if (!from.exists) return Fail(ERROR_FILE_NOT_FOUND);
    Descriptor input(open(from.path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat sourceInfo;
    if (input.get() < 0) return Fail(layer::Win32ErrorFromErrno(errno));
    if (fstat(input.get(), &sourceInfo) != 0) return Fail(layer::Win32ErrorFromErrno(errno));
    if (S_ISDIR(sourceInfo.st_mode)) return Fail(ERROR_ACCESS_DENIED);
    if (layer::AccessRefusedByOthers(input.get(), layer::kShareAccessRead)) return Fail(ERROR_SHARING_VIOLATION);

    layer::HostPath to = layer::ResolveWindowsPath(target);
    if (to.result != layer::PathResult::Ok) return Fail(layer::Win32ErrorFromPathResult(to.result));
    struct stat targetInfo;
    if (to.exists && stat(to.path.c_str(), &targetInfo) == 0) {
        if (targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino)
            return Fail(ERROR_SHARING_VIOLATION);
        if (failIfExists) return Fail(S_ISDIR(targetInfo.st_mode) ? ERROR_ACCESS_DENIED : ERROR_FILE_EXISTS);
        DWORD busy = CheckReplaceable(to.path, targetInfo);
        if (busy != ERROR_SUCCESS) return Fail(busy);
    }

    // Written beside the target under a hidden name, then renamed into place, so
    // the target is either the old file or the whole new one.
    size_t slash = to.path.rfind('/');
    std::string temporary = to.path.substr(0, slash + 1) + ".~" + to.path.substr(slash + 1, 200) + ".XXXXXX";
    Descriptor output(mkostemp(&temporary[0], O_CLOEXEC));
    if (output.get() < 0) return Fail(CopyError(errno));
    posix_fadvise(input.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    int err = CopyContents(input.get(), output.get(), sourceInfo.st_size);
    if (err == 0 && fchmod(output.get(), sourceInfo.st_mode & 07777) != 0) err = errno;
    const timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
    if (err == 0 && futimens(output.get(), times) != 0) err = errno;
    if (err == 0) err = Publish(temporary, to.path, failIfExists);
    if (err != 0) {
        unlink(temporary.c_str());
        return Fail(err == EEXIST ? ERROR_FILE_EXISTS : CopyError(err));
    }
    return TRUE;
}
