// The controls of a dialog by identifier, and dialog units.
#include "platform/ipc/ipc.h"
#include "platform/user32/cross_process.h"
#include "platform/user32/dialog_template.h"
#include "platform/user32/window_ops.h"

using namespace layer;

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    if (IpcIsRemoteWindow(dialog)) {
        LRESULT item = 0;
        if (!IpcSendRemote(dialog, kDialogItemQuery, static_cast<WPARAM>(id), 0, kRemoteSendTimeoutMs, &item))
            return nullptr;
        if (!item) SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
        return reinterpret_cast<HWND>(item);
    }
    Window* w = CheckedWindow(dialog);
    if (!w) return nullptr;
    for (HWND child : w->children)
        if (Window* c = WindowFromHandle(child); c && static_cast<int>(c->id) == id) return child;
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
    Window* w = CheckedWindow(hwnd);
    return w && w->parent ? static_cast<int>(w->id) : 0;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageA(control, message, wParam, lParam) : 0;
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SetWindowTextA(control, text) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size) {
    if (text && size > 0) text[0] = '\0';
    HWND control = GetDlgItem(dialog, id);
    return control ? static_cast<UINT>(GetWindowTextA(control, text, size)) : 0;
}

LONG WINAPI GetDialogBaseUnits(void) {
    // The base units of the system font, as Windows reports them.
    return MAKELONG(8, 16);
}

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
    Window* w = CheckedWindow(dialog);
    if (!w || !rect) return FALSE;
    if (!w->isDialog) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    rect->left = DialogUnitsToPixelsX(rect->left);
    rect->right = DialogUnitsToPixelsX(rect->right);
    rect->top = DialogUnitsToPixelsY(rect->top);
    rect->bottom = DialogUnitsToPixelsY(rect->bottom);
    return TRUE;
}
