#include "platform/kernel32/paths.h"
#include "platform/kernel32/profile.h"
#include "platform/win32.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace layer {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualFolded(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (FoldAscii(*a) != FoldAscii(*b)) return false;
    return *a == *b;
}

bool IsInvalidNameChar(unsigned char c) { return c < 32 || std::strchr("<>:\"|?*", c) != nullptr; }

// A Windows path split into its drive letter and normalised components.
struct WindowsPath {
    char drive = 0;
    std::vector<std::string> components;
};

// Adds the components of `text` to `path`, applying "." and ".." and dropping the
// trailing dots and spaces Windows ignores in a name.
PathResult AppendComponents(const std::string& text, WindowsPath* path) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && !IsSeparator(text[end])) ++end;
        std::string name = text.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            if (!path->components.empty()) path->components.pop_back();
            continue;
        }
        for (unsigned char c : name)
            if (IsInvalidNameChar(c)) return PathResult::InvalidName;
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
        if (!name.empty()) path->components.push_back(name);
    }
    return PathResult::Ok;
}

WindowsPath CurrentPath() {
    WindowsPath path;
    std::string current = CurrentWindowsDirectory();
    path.drive = current[0];
    AppendComponents(current.substr(2), &path);
    return path;
}

PathResult ParseWindowsPath(const std::string& text, WindowsPath* path) {
    if (text.empty()) return PathResult::PathNotFound;
    if (text.size() >= MAX_PATH) return PathResult::TooLong;
    std::string rest;
    if (text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]))) {
        char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        rest = text.substr(2);
        path->drive = drive;
        if (rest.empty() || !IsSeparator(rest[0])) {
            // Relative to the current folder when that is on the same drive, else to the root.
            WindowsPath current = CurrentPath();
            if (current.drive == drive) *path = current;
        }
    } else if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
        return PathResult::PathNotFound;  // network names are not served
    } else if (IsSeparator(text[0])) {
        path->drive = CurrentPath().drive;
        rest = text;
    } else {
        *path = CurrentPath();
        rest = text;
    }
    return AppendComponents(rest, path);
}

bool IsDirectory(const std::string& hostPath) {
    struct stat info;
    return stat(hostPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The entry of `folder` named `name` regardless of ASCII case, the exact spelling first.
bool FindEntry(const std::string& folder, const std::string& name, std::string* found) {
    struct stat info;
    std::string exact = folder + "/" + name;
    if (lstat(exact.c_str(), &info) == 0) {
        *found = exact;
        return true;
    }
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return false;
    bool matched = false;
    while (const dirent* entry = readdir(dir)) {
        if (EqualFolded(entry->d_name, name.c_str())) {
            *found = folder + "/" + entry->d_name;
            matched = true;
            break;
        }
    }
    closedir(dir);
    return matched;
}

bool StartsWithFolder(const std::string& path, const std::string& folder, std::string* rest) {
    if (folder.empty() || path.compare(0, folder.size(), folder) != 0) return false;
    if (path.size() != folder.size() && path[folder.size()] != '/') return false;
    *rest = path.substr(folder.size());
    return true;
}

std::string Backslashed(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

}  // namespace

HostPath ResolveWindowsPath(const std::string& windowsPath) {
    HostPath host;
    host.path = windowsPath;
    WindowsPath parsed;
    host.result = ParseWindowsPath(windowsPath, &parsed);
    if (host.result != PathResult::Ok) return host;

    std::string folder;  // "" stands for the host root
    if (parsed.drive == 'C') {
        folder = PrefixFolder() + "/drive_c";
    } else if (parsed.drive != 'Z') {
        host.result = PathResult::InvalidDrive;
        return host;
    }
    if (parsed.components.empty()) {
        host.path = folder.empty() ? "/" : folder;
        host.exists = true;
        return host;
    }
    for (size_t i = 0; i + 1 < parsed.components.size(); ++i) {
        std::string next;
        if (!FindEntry(folder, parsed.components[i], &next) || !IsDirectory(next)) {
            host.result = PathResult::PathNotFound;
            return host;
        }
        folder = next;
    }
    const std::string& last = parsed.components.back();
    host.exists = FindEntry(folder, last, &host.path);
    if (!host.exists) host.path = folder + "/" + last;
    return host;
}

std::string WindowsPathFromHost(const std::string& hostPath) {
    std::string driveC = CurrentProfile().prefix + "/drive_c";
    char canonical[PATH_MAX];
    std::string rest;
    if (StartsWithFolder(hostPath, driveC, &rest) ||
        (realpath(driveC.c_str(), canonical) && StartsWithFolder(hostPath, canonical, &rest)))
        return "C:" + (rest.empty() ? std::string("\\") : Backslashed(rest));
    return "Z:" + Backslashed(hostPath);
}

bool IsHiddenName(const std::string& hostPath) {
    std::string name = hostPath.substr(hostPath.rfind('/') + 1);
    return name.size() > 1 && name[0] == '.' && name != "..";
}

std::string CurrentWindowsDirectory() {
    char current[PATH_MAX];
    if (!getcwd(current, sizeof current)) return "C:\\";
    return WindowsPathFromHost(current);
}

}  // namespace layer
