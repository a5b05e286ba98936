#include "engine/file_placement.h"

#include "app/installer_state.h"
#include "engine/install_manifest.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

bool FitsInPath(const char* text) { return std::strlen(text) < PATH_TEXT_SIZE; }

bool FolderExists(const char* folder) {
    char remembered[PATH_TEXT_SIZE];
    DWORD length = GetCurrentDirectoryA(PATH_TEXT_SIZE, remembered);
    // Without a way back the current folder is left alone and the folder taken as missing.
    if (length == 0 || length >= PATH_TEXT_SIZE) return false;
    if (!SetCurrentDirectoryA(folder)) return false;
    SetCurrentDirectoryA(remembered);
    return true;
}

const char* ReasonText(DWORD code, char* buffer, size_t capacity) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND: return "File Not Found";
        case ERROR_PATH_NOT_FOUND: return "Path Not Found";
        case ERROR_ACCESS_DENIED: return "Access Denied";
        case ERROR_SHARING_VIOLATION: return "Sharing Violation";
        default: std::snprintf(buffer, capacity, "#%d", static_cast<int>(code)); return buffer;
    }
}

void ReportCopyFailure(HWND owner, DWORD code, const char* source, const char* target) {
    installerState.lastResult = static_cast<int>(code);
    char reason[PATH_TEXT_SIZE];
    // The box shows both paths whole; scratchText keeps what of it fits.
    char message[2 * COMPOSED_PATH_SIZE + 64];
    std::snprintf(message, sizeof message, "Error '%s' While Copying %s to %s",
                  ReasonText(code, reason, sizeof reason), source, target);
    size_t kept = std::min(std::strlen(message), sizeof installerState.scratchText - 1);
    std::memcpy(installerState.scratchText, message, kept);
    installerState.scratchText[kept] = '\0';
    MessageBoxA(owner, message, "Installer Error", MB_ICONERROR);
    installerState.installErrors = 1;
}

}  // namespace

int ComposeEntryPaths(const char* destFolder, const char* systemFolder, const char* fileName,
                      const char* subFolder, char* folderPath, char* targetPath) {
    int folderLength, targetLength;
    if (std::strcmp(subFolder, SYS_FOLDER_MARKER) == 0) {
        size_t length = std::strlen(systemFolder);
        const char* separator = length > 0 && systemFolder[length - 1] == '\\' ? "" : "\\";
        folderLength = std::snprintf(folderPath, COMPOSED_PATH_SIZE, "%s%s", systemFolder, separator);
        targetLength = std::snprintf(targetPath, COMPOSED_PATH_SIZE, "%s%s%s", systemFolder, separator, fileName);
    } else {
        const char* separator = subFolder[0] ? "\\" : "";
        folderLength = std::snprintf(folderPath, COMPOSED_PATH_SIZE, "%s%s", destFolder, subFolder);
        targetLength =
            std::snprintf(targetPath, COMPOSED_PATH_SIZE, "%s%s%s%s", destFolder, subFolder, separator, fileName);
    }
    if (folderLength < 0 || targetLength < 0) return 0;
    if (folderLength > 0 && folderLength < COMPOSED_PATH_SIZE && folderPath[folderLength - 1] == '\\') {
        folderPath[--folderLength] = '\0';
    }
    return folderLength < PATH_TEXT_SIZE && targetLength < PATH_TEXT_SIZE;
}

int MakeFolderTree(const char* folder) {
    if (!FitsInPath(folder) || FolderExists(folder)) return 0;
    // Each pass creates one missing level, so there can be no more passes than levels.
    int passesLeft = 1;
    for (const char* p = folder; *p; ++p) passesLeft += *p == '\\';
    char work[PATH_TEXT_SIZE];
    while (passesLeft-- > 0) {
        std::strcpy(work, folder);
        if (CreateDirectoryA(folder, nullptr)) return 1;
        bool created = false;
        while (!created) {
            char* cut = std::strrchr(work, '\\');
            // No backslash left: the climb cannot shorten the text, so no level can be made.
            if (!cut) return 0;
            *cut = '\0';
            if (work[0] == '\0') return 0;
            created = CreateDirectoryA(work, nullptr) != FALSE;
        }
    }
    return 0;
}

void PlaceFile(HWND owner, const char* fileName, const char* subFolder, int overwrite) {
    char source[COMPOSED_PATH_SIZE];
    char folder[COMPOSED_PATH_SIZE];
    char target[COMPOSED_PATH_SIZE];
    std::snprintf(source, sizeof source, "%s%s", installerState.sourceFolder, fileName);

    char systemFolder[PATH_TEXT_SIZE] = "";
    if (std::strcmp(subFolder, SYS_FOLDER_MARKER) == 0) {
        UINT length = GetSystemDirectoryA(systemFolder, PATH_TEXT_SIZE);
        if (length == 0 || length >= PATH_TEXT_SIZE) {
            // Without the system folder there is no target to name: the entry fails.
            DWORD code = length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
            ReportCopyFailure(owner, code, source, fileName);
            return;
        }
    }
    bool composed = ComposeEntryPaths(installerState.destFolder, systemFolder, fileName, subFolder, folder, target) &&
                    FitsInPath(source);

    if (FitsInPath(folder)) MakeFolderTree(folder);
    if (std::strstr(target, JUST_DIR_MARKER)) return;
    if (!composed) {
        ReportCopyFailure(owner, ERROR_FILENAME_EXCED_RANGE, source, target);
        return;
    }

    BOOL failIfExists = overwrite == 0;
    installerState.lastResult = CopyFileA(source, target, failIfExists);
    if (installerState.lastResult) return;
    installerState.lastResult = CopyFileA(source, target, failIfExists);
    if (installerState.lastResult) return;
    ReportCopyFailure(owner, GetLastError(), source, target);
}
