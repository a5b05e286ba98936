#include "app/dialog_controls.h"

#include "app/control_ids.h"
#include "app/installer_state.h"

#include <cstdio>

void EnableInstallButton(HWND hwnd, int flag) {
    EnableWindow(GetDlgItem(hwnd, IDOK), flag ? TRUE : FALSE);
}

LRESULT SetCheck(HWND hwnd, int identifier, int flag) {
    return SendDlgItemMessageA(hwnd, identifier, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0);
}

LRESULT GetCheck(HWND hwnd, int identifier) {
    return SendDlgItemMessageA(hwnd, identifier, BM_GETCHECK, 0, 0);
}

void UpdateDiskSpaceLine(HWND hwnd) {
    InstallerState& state = installerState;
    int kilobytes = 2477 + (GetCheck(hwnd, IDC_STARTUP_CHECK) ? 1 : 0);
    snprintf(state.scratchText, sizeof state.scratchText, "Total Disk Space Used: %dK     ", kilobytes);
    SendDlgItemMessageA(hwnd, IDC_DISK_SPACE, WM_SETTEXT, 0, (LPARAM)state.scratchText);
    EnableInstallButton(hwnd, kilobytes != 0 && state.installDone == 0);
}
