#include "platform/kernel32/share_modes.h"

#include <cstdint>
#include <fcntl.h>

namespace layer {
namespace {

constexpr off_t kBase = off_t(1) << 62;
constexpr off_t kHeldByte = kBase;          // + 0, 1, 2: read, write, delete held
constexpr off_t kRefusedByte = kBase + 4;   // + 0, 1, 2: read, write, delete not shared
constexpr DWORD kAllAccess = kShareAccessRead | kShareAccessWrite | kShareAccessDelete;
constexpr DWORD kDeleteRight = 0x00010000;

int BitIndex(DWORD bit) { return bit == kShareAccessRead ? 0 : bit == kShareAccessWrite ? 1 : 2; }

flock ByteLock(short type, off_t offset) {
    flock lock{};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = 1;
    return lock;
}

// True when another open file description holds a lock on this byte.
bool ByteTaken(int fd, off_t offset) {
    flock lock = ByteLock(F_WRLCK, offset);
    if (fcntl(fd, F_OFD_GETLK, &lock) != 0) return false;
    return lock.l_type != F_UNLCK;
}

bool AnyByteTaken(int fd, off_t first, DWORD bits) {
    for (DWORD bit = 1; bit <= kShareAccessDelete; bit <<= 1)
        if ((bits & bit) && ByteTaken(fd, first + BitIndex(bit))) return true;
    return false;
}

}  // namespace

DWORD ShareAccessFromDesiredAccess(DWORD desiredAccess) {
    DWORD access = 0;
    if (desiredAccess & GENERIC_READ) access |= kShareAccessRead;
    if (desiredAccess & GENERIC_WRITE) access |= kShareAccessWrite;
    if (desiredAccess & kDeleteRight) access |= kShareAccessDelete;
    return access;
}

bool AccessRefusedByOthers(int fd, DWORD access) { return AnyByteTaken(fd, kRefusedByte, access); }

bool RecordShareMode(int fd, DWORD access, DWORD share) {
    DWORD refused = kAllAccess & ~(share & kAllAccess);
    if (AnyByteTaken(fd, kRefusedByte, access) || AnyByteTaken(fd, kHeldByte, refused)) return false;
    for (DWORD bit = 1; bit <= kShareAccessDelete; bit <<= 1) {
        if (access & bit) {
            flock lock = ByteLock(F_RDLCK, kHeldByte + BitIndex(bit));
            fcntl(fd, F_OFD_SETLK, &lock);
        }
        if (refused & bit) {
            flock lock = ByteLock(F_RDLCK, kRefusedByte + BitIndex(bit));
            fcntl(fd, F_OFD_SETLK, &lock);
        }
    }
    return true;
}

}  // namespace layer
