#include "tools/progman/start_menu_groups.h"

#include "platform/common/atomic_file.h"
#include "platform/kernel32/profile.h"
#include "platform/win32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <ftw.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string UserName() {
    char name[256];
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? name : "user";
}

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        mkdir(path.substr(0, slash).c_str(), 0755);
        if (slash == std::string::npos) break;
    }
}

int RemoveOne(const char* path, const struct stat*, int, FTW*) { return remove(path); }

}  // namespace

std::string StartMenuProgramsFolder() {
    std::string folder = layer::CurrentProfile().prefix + "/drive_c/users/" + UserName() +
                         "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs";
    MakeFolders(folder);
    return folder;
}

bool IsSafeEntryName(const std::string& name) {
    if (name.empty() || name.size() > 200 || name == "." || name == "..") return false;
    if (name.back() == ' ' || name.back() == '.') return false;
    for (unsigned char c : name)
        if (c < 0x20 || strchr("/\\:*?\"<>|", c)) return false;
    return true;
}

std::string FindGroupFolder(const std::string& programs, const std::string& group) {
    if (!IsSafeEntryName(group)) return "";
    DIR* dir = opendir(programs.c_str());
    if (!dir) return "";
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, group.c_str()) != 0) continue;
        std::string path = programs + "/" + entry->d_name;
        struct stat st;
        if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) found = path;
        break;
    }
    closedir(dir);
    return found;
}

bool MakeGroupFolder(const std::string& programs, const std::string& group) {
    if (!IsSafeEntryName(group)) return false;
    if (!FindGroupFolder(programs, group).empty()) return true;
    return mkdir((programs + "/" + group).c_str(), 0755) == 0;
}

bool RemoveGroupFolder(const std::string& folder) {
    // Depth first, never following a symbolic link out of the group.
    return !folder.empty() && nftw(folder.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS) == 0;
}

bool WriteShortcut(const std::string& groupFolder, const ShortcutItem& item) {
    if (!IsSafeEntryName(item.caption)) return false;
    std::string text = "[Shortcut]\nCommandLine=" + item.commandLine + "\nCaption=" + item.caption +
                       "\nIconPath=" + item.iconPath + "\nIconIndex=" + item.iconIndex + "\n";
    return layer::WriteFileAtomically(groupFolder + "/" + item.caption + ".lnk.txt", text, 0644);
}
