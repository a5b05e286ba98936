#include "platform/kernel32/paths.h"
#include "platform/kernel32/profile.h"

#include <cerrno>
#include <sys/stat.h>

namespace layer {
namespace {

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        mkdir(path.substr(0, slash).c_str(), 0755);
        if (slash == std::string::npos) break;
    }
}

bool Windows95Family() { return (CurrentProfile().version & 0x80000000u) != 0; }

const char* SystemFolderName() { return Windows95Family() ? "system" : "system32"; }

}  // namespace

const std::string& PrefixFolder() {
    // Made again whenever tests switch to another prefix or version, or remove it.
    static std::string preparedFor;
    const Profile& profile = CurrentProfile();
    std::string systemFolder = profile.prefix + "/drive_c/windows/" + SystemFolderName();
    struct stat info;
    if (systemFolder != preparedFor || stat(systemFolder.c_str(), &info) != 0) {
        MakeFolders(systemFolder);
        MakeFolders(profile.prefix + "/drive_c/Program Files");
        preparedFor = systemFolder;
    }
    return profile.prefix;
}

std::string SystemDirectoryWindowsPath() { return std::string("C:\\windows\\") + SystemFolderName(); }

}  // namespace layer
