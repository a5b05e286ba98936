#include "app/win_main.h"

#include "app/installer_dialog.h"
#include "app/installer_state.h"
#include "app/windows_version.h"
#include "ui/backdrop.h"

#include <cstdio>

namespace {

const char kVersion[] = "V3.10 / 13-May-98";
const char kNoticeFormat[] = "%s - Copyright (c) 1998 Vintrel Software";

void RegisterInstallerClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = InstallerDlgProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = installerState.hInstance;
    windowClass.hIcon = LoadIconA(installerState.hInstance, "aamain");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "VintInstall";
    RegisterClassA(&windowClass);
}

}  // namespace

HWND CreateInstallerWindows() {
    CreateBackdrop();
    if (!installerState.hPrevInstance) RegisterInstallerClass();
    HWND dialog = CreateDialogParamA(installerState.hInstance, "VintInstall", installerState.backdropWindow,
                                     (DLGPROC)InstallerDlgProc, 0);
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    return dialog;
}

int RunMessageLoop() {
    MSG msg = {};
    // GetMessageA gives -1 on failure; only a real message keeps the loop going.
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int) {
    installerState.hInstance = hInstance;
    installerState.hPrevInstance = hPrevInstance;
    snprintf(installerState.noticeText, sizeof installerState.noticeText, kNoticeFormat, kVersion);
    if (!IsSupportedWindows()) {
        MessageBoxA(nullptr,
                    "Tesmara Can Only be Installed Under Windows 95, Windows 98, or Windows NT 4.x, or greater",
                    "Tesmara Install Error", MB_ICONERROR);
        return 0;
    }
    CreateInstallerWindows();
    return RunMessageLoop();
}
