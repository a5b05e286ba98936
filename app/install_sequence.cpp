#include "app/install_sequence.h"

#include "app/control_ids.h"
#include "app/dialog_controls.h"
#include "app/installer_state.h"
#include "app/path_text.h"
#include "engine/file_placement.h"
#include "engine/install_manifest.h"
#include "engine/product_registration.h"
#include "engine/program_group.h"
#include "engine/running_instances.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kStaleFiles[] = {"TESMARA.GID", "TESM.GID", "TESMARA.FTS", "TESM.FTS", "TESM.INI"};

void ShowControl(HWND hwnd, int identifier, int command) {
    ShowWindow(GetDlgItem(hwnd, identifier), command);
}

void InstallerError(HWND hwnd, const char* text) {
    MessageBoxA(hwnd, text, "Installer Error", MB_ICONERROR);
}

void RepaintProgress(HWND hwnd) {
    HWND progress = GetDlgItem(hwnd, IDC_PROGRESS);
    InvalidateRect(progress, nullptr, TRUE);
    UpdateWindow(progress);
}

void BringForward(HWND hwnd) {
    SetForegroundWindow(installerState.backdropWindow);
    SetForegroundWindow(hwnd);
}

bool SameFolderIgnoringCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char x = (*a >= 'a' && *a <= 'z') ? (char)(*a - 'a' + 'A') : *a;
        char y = (*b >= 'a' && *b <= 'z') ? (char)(*b - 'a' + 'A') : *b;
        if (x != y) return false;
        if (x == '\0') return true;
    }
}

// Reads the folder box into destFolder with its final backslash. An empty box would mean
// the root of the current drive, and a text with no room left for the backslash would be
// cut short: both are refused rather than installed into a folder nobody chose.
bool ReadDestinationFolder(HWND hwnd) {
    InstallerState& state = installerState;
    LRESULT length = SendDlgItemMessageA(hwnd, IDC_DEST_FOLDER, WM_GETTEXTLENGTH, 0, 0);
    SendDlgItemMessageA(hwnd, IDC_DEST_FOLDER, WM_GETTEXT, PATH_TEXT_SIZE, (LPARAM)state.destFolder);
    if (length == 0 || state.destFolder[0] == '\0') {
        InstallerError(hwnd, "Please Enter the Folder to Install Tesmara Into");
        return false;
    }
    size_t stored = strlen(state.destFolder);
    bool endsInBackslash = state.destFolder[stored - 1] == '\\';
    if ((size_t)length != stored || (!endsInBackslash && stored + 1 >= PATH_TEXT_SIZE)) {
        InstallerError(hwnd, "The Install Folder Name is Too Long - Please Choose a Shorter Folder");
        return false;
    }
    if (!endsInBackslash) strcat(state.destFolder, "\\");
    return true;
}

// Tested by entering the folder, as a drive root must be tested as "C:" alone; the
// process's current folder is the same afterwards.
bool FolderExists(const char* folderText) {
    char remembered[PATH_TEXT_SIZE];
    DWORD length = GetCurrentDirectoryA(sizeof remembered, remembered);
    if (length == 0 || length >= sizeof remembered) {
        DWORD attributes = GetFileAttributesA(folderText);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    if (!SetCurrentDirectoryA(folderText)) return false;
    SetCurrentDirectoryA(remembered);
    return true;
}

bool ConfirmUpgradeIfFolderExists(HWND hwnd) {
    InstallerState& state = installerState;
    memcpy(state.scratchText, state.destFolder, sizeof state.scratchText);
    state.scratchText[strlen(state.scratchText) - 1] = '\0';
    if (!FolderExists(state.scratchText)) return true;
    state.lastResult = MessageBoxA(hwnd, "You Are Upgrading a Previously Installed Copy of Tesmara - Continue?",
                                   "Installer Query", MB_ICONQUESTION | MB_YESNO);
    return state.lastResult == IDYES;
}

// Checking: the steps before anything is copied. false leaves the dialog Stopped.
bool CheckBeforeCopying(HWND hwnd) {
    InstallerState& state = installerState;
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowControl(hwnd, IDC_STARTUP_CHECK, SW_HIDE);
    ShowControl(hwnd, IDC_MESSAGE, SW_HIDE);
    ShowControl(hwnd, IDC_DISK_SPACE, SW_HIDE);
    if (CloseRunningInstances()) return false;
    // The running-copy boxes have no owner, so the dialog may have been closed meanwhile.
    if (!IsWindow(hwnd)) return false;
    if (!ReadDestinationFolder(hwnd)) return false;
    if (SameFolderIgnoringCase(state.sourceFolder, state.destFolder)) {
        InstallerError(hwnd,
                       "The Folder You are Installing FROM and the Folder you are Installing TO Must be Different!");
        SendDlgItemMessageA(hwnd, IDC_DEST_FOLDER, WM_SETTEXT, 0, (LPARAM)state.defaultDestFolder);
        return false;
    }
    return ConfirmUpgradeIfFolderExists(hwnd);
}

void CopyManifest(HWND hwnd) {
    InstallerState& state = installerState;
    memcpy(state.activeManifest, InstallManifest, sizeof state.activeManifest);
    state.fileCount = MANIFEST_ROWS;
    ShowControl(hwnd, IDC_DEST_FOLDER, SW_HIDE);
    state.statusText[0] = '\0';
    ShowControl(hwnd, IDC_PROGRESS, SW_SHOW);
    for (int j = 0; j < state.fileCount; ++j) {
        const ManifestEntry& entry = state.activeManifest[j];
        snprintf(state.statusText, sizeof state.statusText, "Copying %s", entry.description);
        // The step is divided first, so the bar reads 0, 6, ..., 84 before the final 100.
        state.progressPercent = j * (100 / state.fileCount);
        RepaintProgress(hwnd);
        PlaceFile(hwnd, entry.fileName, entry.subFolder, entry.overwrite);
        Sleep(650);
    }
    snprintf(state.statusText, sizeof state.statusText, "Done");
    state.progressPercent = 100;
    RepaintProgress(hwnd);
    Sleep(1000);
}

void ShowResult(HWND hwnd) {
    InstallerState& state = installerState;
    ShowControl(hwnd, IDC_PROGRESS, SW_HIDE);
    SetWindowTextA(GetDlgItem(hwnd, IDC_FINISH), "Finish");
    snprintf(state.statusText, sizeof state.statusText, "%s",
             state.installErrors == 0 ? "Installed Successfully - Click Finish to Start Tesmara"
                                      : "There were Errors During the Install - Tesmara was Not Successfully Installed");
    SetWindowTextA(GetDlgItem(hwnd, IDC_MESSAGE), state.statusText);
    ShowControl(hwnd, IDC_MESSAGE, SW_SHOW);
    BringForward(hwnd);
    EnableInstallButton(hwnd, 0);
}

void DeleteStaleFiles() {
    InstallerState& state = installerState;
    for (const char* name : kStaleFiles) {
        // A path that does not fit is skipped: a shortened one could name another file.
        if (ComposePath(state.scratchText, state.destFolder, name)) DeleteFileA(state.scratchText);
    }
}

void CompleteInstall(HWND hwnd) {
    InstallerState& state = installerState;
    state.installDone = 1;
    if (AddProgramGroup((int)GetCheck(hwnd, IDC_STARTUP_CHECK)) == 0)
        InstallerError(hwnd, "Cannot Add Installed Program to Start Menu");
    BringForward(hwnd);
    RegisterProduct(state.destFolder);
    DeleteStaleFiles();
}

void RunInstallSteps(HWND hwnd) {
    if (!CheckBeforeCopying(hwnd)) return;
    CopyManifest(hwnd);
    ShowResult(hwnd);
    if (installerState.installErrors) return;
    CompleteInstall(hwnd);
}

}  // namespace

void RunInstall(HWND hwnd) {
    // Boxes without an owner leave Install clickable while one is up; a second press
    // must not start an install inside the first.
    static bool running = false;
    if (running) return;
    running = true;
    RunInstallSteps(hwnd);
    running = false;
}
