#include "engine/running_instances.h"

#include "platform/win32.h"

namespace {

struct RunningProgram {
    const char* windowClass;
    const char* messageText;
    const char* caption;
};

const RunningProgram kRunningPrograms[] = {
    {"TTesmForm", "Tesm.exe is currently running. Please close it before installing this new version.",
     "Tesm.exe Running"},
    {"VintTesmara", "Tesmara.exe is currently running. Please close it before installing this new version.",
     "Tesmara.exe Running"},
};

const int kMaxCloseAttempts = 100;
// A program that never answers WM_CLOSE must not hold the installer for ever.
const UINT kCloseAnswerMs = 3000;

// 1 when a window of the class is still there after the last attempt.
int StillRunningAfterClosing(const char* windowClass) {
    int attempts = 0;
    HWND window;
    do {
        window = FindWindowA(windowClass, NULL);
        if (window) {
            DWORD_PTR ignored;
            SetLastError(ERROR_SUCCESS);
            // A window that did not answer in time and is still there is hung: asking again would not close it.
            if (!SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseAnswerMs, &ignored) &&
                GetLastError() == ERROR_TIMEOUT && FindWindowA(windowClass, NULL) == window)
                return 1;
        }
        ++attempts;
    } while (window && attempts < kMaxCloseAttempts);
    return window != NULL;
}

}  // namespace

int CloseRunningInstances() {
    for (const RunningProgram& program : kRunningPrograms) {
        if (StillRunningAfterClosing(program.windowClass)) {
            MessageBoxA(NULL, program.messageText, program.caption, MB_ICONERROR);
            return 1;
        }
    }
    return 0;
}
