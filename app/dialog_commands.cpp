#include "app/dialog_commands.h"

#include "app/installer_state.h"
#include "app/path_text.h"

namespace {

// ShellExecuteA reports success as a value above 32.
bool Opened(HINSTANCE result) {
    return (INT_PTR)result > 32;
}

}  // namespace

void ShowReadme(HWND hwnd) {
    InstallerState& state = installerState;
    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    bool opened = false;
    if (ComposePath(state.scratchText, state.sourceFolder, "Readme.hlp")) {
        HINSTANCE result = ShellExecuteA(hwnd, "open", state.scratchText, nullptr, nullptr, SW_SHOWMAXIMIZED);
        state.lastResult = (int)(INT_PTR)result;
        opened = Opened(result);
    }
    if (!opened) MessageBoxA(hwnd, "Can't Open the Readme File", "Installer Error", MB_ICONERROR);
}

void FinishInstall(HWND hwnd) {
    InstallerState& state = installerState;
    if (state.installErrors == 0 && state.installDone) {
        bool started = ComposePath(state.scratchText, state.destFolder, "Tesmara.exe") &&
                       Opened(ShellExecuteA(hwnd, "open", state.scratchText, nullptr, nullptr, SW_SHOW));
        if (!started) MessageBoxA(hwnd, "Error Running Tesmara 98", "Installer Error", MB_ICONERROR);
    }
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
}
