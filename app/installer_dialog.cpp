#include "app/installer_dialog.h"

#include "app/control_ids.h"
#include "app/dialog_commands.h"
#include "app/dialog_controls.h"
#include "app/install_sequence.h"
#include "app/installer_state.h"
#include "engine/install_folders.h"
#include "ui/dialog_artwork.h"
#include "ui/progress_bar.h"

#include <cstring>

namespace {

void CentreOnScreen(HWND hwnd) {
    RECT frame;
    GetWindowRect(hwnd, &frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    MoveWindow(hwnd, (screenWidth - width) / 2, (screenHeight - height) / 2, width, height, TRUE);
}

void SubclassProgressControl(HWND hwnd) {
    HWND progress = GetDlgItem(hwnd, IDC_PROGRESS);
    installerState.progressOldProc = (WNDPROC)GetWindowLongPtrA(progress, GWLP_WNDPROC);
    SetWindowLongPtrA(progress, GWLP_WNDPROC, (LONG_PTR)ProgressWndProc);
}

void OnFinishCommand(HWND hwnd) {
    InstallerState& state = installerState;
    if (state.productLogoBitmap) {
        DeleteObject(state.productLogoBitmap);
        state.productLogoBitmap = nullptr;
    }
    FinishInstall(hwnd);
}

}  // namespace

int InitInstallerDialog(HWND hwnd) {
    InstallerState& state = installerState;
    CentreOnScreen(hwnd);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    GetDefaultDestination();
    SendDlgItemMessageA(hwnd, IDC_NOTICE, WM_SETTEXT, 0, (LPARAM)state.noticeText);
    // The edit control's notifications run UpdateDiskSpaceLine inside this call.
    SendDlgItemMessageA(hwnd, IDC_DEST_FOLDER, WM_SETTEXT, 0, (LPARAM)state.defaultDestFolder);
    GetModuleFolder(state.hInstance, state.moduleFolder);
    state.installErrors = 0;
    state.installDone = 0;
    SubclassProgressControl(hwnd);
    memcpy(state.sourceFolder, state.moduleFolder, sizeof state.sourceFolder);
    SetCheck(hwnd, IDC_STARTUP_CHECK, 1);
    return 1;
}

LRESULT CALLBACK InstallerDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return InitInstallerDialog(hwnd);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            RunInstall(hwnd);
            return 0;
        case IDC_FINISH:
            OnFinishCommand(hwnd);
            return 0;
        case IDC_README:
            ShowReadme(hwnd);
            return 0;
        }
        UpdateDiskSpaceLine(hwnd);
        break;
    case WM_CTLCOLORSTATIC:
        return PaintDialogArtwork(hwnd, (HDC)wParam, (HWND)lParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
    case WM_ENDSESSION:
        PostMessageA(installerState.backdropWindow, WM_CLOSE, 0, 0);
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
