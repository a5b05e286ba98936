#include "platform/common/atomic_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace layer {

bool WriteFileAtomically(const std::string& path, const std::string& text, mode_t mode) {
    const std::string temporary = path + kAtomicWriteSuffix;
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0) return false;
    bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ok = close(fd) == 0 && ok;
    if (ok && rename(temporary.c_str(), path.c_str()) == 0) return true;
    unlink(temporary.c_str());
    return false;
}

}  // namespace layer
