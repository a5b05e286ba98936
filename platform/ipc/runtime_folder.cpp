#include "platform/ipc/runtime_folder.h"

#include "platform/kernel32/profile.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace layer {
namespace {

struct CachedFolder {
    std::string key;  // the prefix and user folder it was made for
    std::string folder;
};

CachedFolder& Cached() {
    static CachedFolder cached;
    return cached;
}

// A folder of ours that nobody else can enter; made if absent.
bool EnsurePrivateFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode)) return false;
    if (st.st_uid != geteuid()) return false;
    return (st.st_mode & 077) == 0;
}

std::string UserFolder() {
    // A session's runtime folder when there is one; a stale $XDG_RUNTIME_DIR (a
    // folder already gone) falls back like an unset one.
    const char* xdg = getenv("XDG_RUNTIME_DIR");
    struct stat st;
    if (xdg && *xdg == '/' && stat(xdg, &st) == 0 && S_ISDIR(st.st_mode)) return std::string(xdg) + "/t98";
    return "/tmp/t98-" + std::to_string(geteuid());
}

// FNV-1a: short, stable across runs, and keeps socket paths under the 108-byte limit.
std::string PrefixKey(const std::string& prefix) {
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : prefix) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char text[17];
    snprintf(text, sizeof text, "%016" PRIx64, hash);
    return text;
}

std::string CanonicalPrefix() {
    const std::string& prefix = CurrentProfile().prefix;
    char* real = realpath(prefix.c_str(), nullptr);
    if (!real) return prefix;
    std::string result(real);
    free(real);
    return result;
}

}  // namespace

const std::string& PrefixRuntimeFolder() {
    // Tests switch prefixes and runtime folders within one process.
    CachedFolder& cached = Cached();
    std::string user = UserFolder();
    std::string key = CurrentProfile().prefix + "\n" + user;
    if (key == cached.key && !cached.folder.empty()) return cached.folder;
    cached.key = key;
    cached.folder.clear();
    if (!EnsurePrivateFolder(user)) return cached.folder;
    std::string candidate = user + "/" + PrefixKey(CanonicalPrefix());
    if (EnsurePrivateFolder(candidate)) cached.folder = candidate;
    return cached.folder;
}

}  // namespace layer
