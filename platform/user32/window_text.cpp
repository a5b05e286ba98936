// Window titles, FindWindowA across processes, and which process owns a window.
#include "platform/ipc/ipc.h"
#include "platform/user32/window_class_registry.h"
#include "platform/user32/window_ops.h"

#include <strings.h>
#include <unistd.h>

using namespace layer;

namespace {

// Another process's window is asked through its messages, which carry text across.
bool Reachable(HWND hwnd) {
    if (!IpcIsRemoteWindow(hwnd)) return CheckedWindow(hwnd) != nullptr;
    if (IpcRemoteWindowExists(hwnd)) return true;
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
}

}  // namespace

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (!Reachable(hwnd)) return FALSE;
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR text, int size) {
    if (text && size > 0) text[0] = '\0';
    if (!Reachable(hwnd) || !text || size <= 0) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
    if (!Reachable(hwnd)) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName) {
    for (HWND h : Wm().zOrder) {
        Window* w = WindowFromHandle(h);
        if (!w || w->destroying) continue;
        if (className) {
            bool match = IS_INTRESOURCE(className) ? w->windowClass->atom == LOWORD(className)
                                                   : strcasecmp(w->windowClass->name.c_str(), className) == 0;
            if (!match) continue;
        }
        if (windowName && strcasecmp(w->text.c_str(), windowName) != 0) continue;
        return h;
    }
    if (className && IS_INTRESOURCE(className)) return nullptr;  // atoms are this process's own
    HWND remote = IpcFindRemoteWindow(className, windowName);
    if (!remote && className && !FindWindowClass(className)) SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return remote;
    return nullptr;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
    DWORD pid = 0;
    if (IpcIsRemoteWindow(hwnd))
        pid = static_cast<DWORD>(reinterpret_cast<uintptr_t>(hwnd) >> 32);
    else if (CheckedWindow(hwnd))
        pid = static_cast<DWORD>(getpid());
    if (processId) *processId = pid;
    // One GUI thread per process: its id is the process's.
    return pid;
}
