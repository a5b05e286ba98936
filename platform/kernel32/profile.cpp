#include "platform/kernel32/profile.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace layer {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder() {
    std::string home = Env("HOME");
    if (!home.empty()) return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "/tmp";
}

// A relative prefix is fixed against the start-up folder, since the program
// changes its current folder later.
std::string Absolute(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) return path;
    return std::string(cwd) + "/" + path;
}

bool ParseUnsigned(const std::string& text, unsigned long long max, unsigned long long* out) {
    if (text.empty()) return false;
    int base = 10;
    const char* digits = text.c_str();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        digits += 2;
    }
    if (!std::isxdigit(static_cast<unsigned char>(*digits))) return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long value = std::strtoull(digits, &end, base);
    if (errno != 0 || *end != '\0' || value > max) return false;
    *out = value;
    return true;
}

void ParseScreen(const std::string& text, Profile* profile) {
    size_t x = text.find_first_of("xX");
    unsigned long long width, height;
    if (x == std::string::npos || !ParseUnsigned(text.substr(0, x), 16384, &width) ||
        !ParseUnsigned(text.substr(x + 1), 16384, &height) || width == 0 || height == 0)
        return;
    profile->screenWidth = static_cast<int>(width);
    profile->screenHeight = static_cast<int>(height);
}

void ParseDepth(const std::string& text, Profile* profile) {
    unsigned long long depth;
    if (!ParseUnsigned(text, 32, &depth)) return;
    if (depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32)
        profile->screenDepth = static_cast<int>(depth);
}

// "index:RRGGBB,..."; a malformed entry is skipped, the others still apply.
void ParseColors(const std::string& text, Profile* profile) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        std::string entry = text.substr(start, end - start);
        size_t colon = entry.find(':');
        unsigned long long index, rgb;
        if (colon != std::string::npos && entry.size() - colon - 1 == 6 &&
            ParseUnsigned(entry.substr(0, colon), 24, &index) &&
            ParseUnsigned("0x" + entry.substr(colon + 1), 0xFFFFFF, &rgb)) {
            uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
            profile->sysColors[index] = r | (g << 8) | (b << 16);
        }
        start = end + 1;
    }
}

void ParseTimeScale(const std::string& text, Profile* profile) {
    if (text.empty()) return;
    char* end = nullptr;
    double scale = std::strtod(text.c_str(), &end);
    if (*end == '\0' && scale >= 0 && scale <= 1000) profile->timeScale = scale;
}

std::string DefaultPrefix() {
    std::string data = Env("XDG_DATA_HOME");
    if (data.empty()) data = HomeFolder() + "/.local/share";
    return data + "/tesmara98";
}

Profile FromEnvironment() {
    Profile profile;
    profile.prefix = Absolute(Env("T98_PREFIX"));
    if (profile.prefix.empty()) profile.prefix = DefaultPrefix();
    unsigned long long version;
    if (ParseUnsigned(Env("T98_WINVER"), 0xFFFFFFFFull, &version)) profile.version = static_cast<uint32_t>(version);
    ParseScreen(Env("T98_SCREEN"), &profile);
    ParseDepth(Env("T98_DEPTH"), &profile);
    ParseColors(Env("T98_COLORS"), &profile);
    profile.display = Env("T98_DISPLAY");
    ParseTimeScale(Env("T98_TIME_SCALE"), &profile);
    profile.faults = Env("T98_FAULTS");
    profile.snapshotDir = Absolute(Env("T98_SNAPSHOTS"));
    return profile;
}

Profile& Storage() {
    static Profile profile = FromEnvironment();
    return profile;
}

}  // namespace

Profile& CurrentProfile() { return Storage(); }

void SetProfile(const Profile& profile) {
    Storage() = profile;
    if (Storage().prefix.empty()) Storage().prefix = DefaultPrefix();
    Storage().prefix = Absolute(Storage().prefix);
}

void ReloadProfileFromEnvironment() { Storage() = FromEnvironment(); }

bool FaultEnabled(const char* name) {
    const std::string& faults = Storage().faults;
    size_t length = std::strlen(name);
    size_t start = 0;
    while (start <= faults.size()) {
        size_t end = faults.find(',', start);
        if (end == std::string::npos) end = faults.size();
        if (end - start == length && faults.compare(start, length, name) == 0) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace layer
