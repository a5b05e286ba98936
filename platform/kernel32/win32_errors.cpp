#include "platform/kernel32/paths.h"
#include "platform/win32.h"

#include <cerrno>

namespace layer {

unsigned long Win32ErrorFromErrno(int err) {
    switch (err) {
        case 0: return ERROR_SUCCESS;
        case ENOENT: return ERROR_FILE_NOT_FOUND;
        case ENOTDIR: return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR: return ERROR_ACCESS_DENIED;
        case EEXIST: return ERROR_ALREADY_EXISTS;
        case ETXTBSY:
        case EBUSY: return ERROR_SHARING_VIOLATION;
        case ENOSPC:
        case EDQUOT: return ERROR_DISK_FULL;
        case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
        case EMFILE:
        case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
        case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
        case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
        case EINVAL: return ERROR_INVALID_PARAMETER;
        case EBADF: return ERROR_INVALID_HANDLE;
        default: return ERROR_GEN_FAILURE;
    }
}

unsigned long Win32ErrorFromPathResult(PathResult result) {
    switch (result) {
        case PathResult::Ok: return ERROR_SUCCESS;
        case PathResult::InvalidName: return ERROR_INVALID_NAME;
        case PathResult::TooLong: return ERROR_FILENAME_EXCED_RANGE;
        case PathResult::PathNotFound:
        case PathResult::InvalidDrive: break;
    }
    return ERROR_PATH_NOT_FOUND;
}

}  // namespace layer
