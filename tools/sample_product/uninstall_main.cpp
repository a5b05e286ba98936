// The product's uninstaller, from one source twice: "Uninst.exe" removes, after
// asking, what the installer placed in the folder it runs from; "Uninst2.exe",
// the helper, only lists what that would be.
#include "engine/install_manifest.h"
#include "platform/win32.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr bool kListsOnly = UNINSTALL_LISTS_ONLY;

std::string ModulePath() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

struct Placed {
    std::string path;
    bool isFolder;
};

// What the manifest put under folder (which ends with a backslash); system-folder files are shared and stay.
std::vector<Placed> PlacedEntries(const std::string& folder) {
    std::vector<Placed> files, folders;
    for (const ManifestEntry& row : InstallManifest) {
        if (strcmp(row.subFolder, SYS_FOLDER_MARKER) == 0) continue;
        std::string base = *row.subFolder ? folder + row.subFolder + "\\" : folder;
        if (strcmp(row.fileName, JUST_DIR_MARKER) != 0) files.push_back({base + row.fileName, false});
        if (*row.subFolder) folders.push_back({base.substr(0, base.size() - 1), true});
    }
    files.insert(files.end(), folders.begin(), folders.end());  // folders once emptied
    return files;
}

// Windows paths name the same file whatever their letter case.
bool SamePath(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool Remove(const Placed& entry) {
    if (entry.isFolder) return RemoveDirectoryA(entry.path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    return DeleteFileA(entry.path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string self = ModulePath();
    std::string folder = self.substr(0, self.rfind('\\') + 1);
    if (folder.empty()) return 1;
    std::vector<Placed> entries = PlacedEntries(folder);

    if (kListsOnly) {
        std::string list = "Uninstall would remove from " + folder + ":\n";
        for (const Placed& entry : entries) list += "\n" + entry.path.substr(folder.size());
        MessageBoxA(NULL, list.c_str(), "Tesmara 98 Uninstall Helper", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    std::string question = "Remove Tesmara 98 from " + folder + "?";
    if (MessageBoxA(NULL, question.c_str(), "Tesmara 98 Uninstall", MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;
    std::string kept;
    for (const Placed& entry : entries) {
        // A running program cannot remove itself on Windows, so it is left for the user.
        if (SamePath(entry.path, self) || !Remove(entry)) kept += "\n" + entry.path;
    }
    std::string report = kept.empty() ? "Tesmara 98 has been removed." : "Tesmara 98 has been removed, except:\n" + kept;
    MessageBoxA(NULL, report.c_str(), "Tesmara 98 Uninstall", MB_OK | MB_ICONINFORMATION);
    return 0;
}
