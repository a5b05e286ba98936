// ShowWindow, EnableWindow and the questions about a window's state.
#include "platform/ipc/ipc.h"
#include "platform/user32/window_geometry.h"
#include "platform/user32/window_ops.h"

using namespace layer;

BOOL WINAPI IsWindow(HWND hwnd) {
    if (IpcIsRemoteWindow(hwnd)) return IpcRemoteWindowExists(hwnd);
    return WindowFromHandle(hwnd) != nullptr;
}

BOOL WINAPI IsWindowVisible(HWND hwnd) {
    Window* w = WindowFromHandle(hwnd);
    return w && IsShownOnScreen(w);
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
    Window* w = WindowFromHandle(hwnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
    WindowManager& wm = Wm();
    Window* w = CheckedWindow(hwnd);
    if (!w) return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
    if ((wasDisabled != FALSE) == (enable == FALSE)) return wasDisabled;  // already as asked
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        if (wm.capture && IsSelfOrAncestor(hwnd, wm.capture)) ReleaseCapture();
        if (wm.focus && IsSelfOrAncestor(hwnd, wm.focus)) SetFocus(nullptr);
    }
    // As on Windows, nothing is repainted here: controls redraw themselves on WM_ENABLE.
    SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL WINAPI ShowWindow(HWND hwnd, int command) {
    WindowManager& wm = Wm();
    Window* w = CheckedWindow(hwnd);
    if (!w || hwnd == wm.desktop) return FALSE;
    BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
    bool show = command != SW_HIDE;
    bool activate = show && command != SW_SHOWNOACTIVATE && command != SW_SHOWNA &&
                    command != SW_SHOWMINNOACTIVE && IsTopLevel(w);
    if (show == static_cast<bool>(wasVisible)) {
        if (activate && wm.active != hwnd) ActivateWindow(hwnd);
        return wasVisible;
    }
    SendMessageA(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!(w = WindowFromHandle(hwnd))) return wasVisible;
    if (show) {
        w->style |= WS_VISIBLE;
        InvalidateFrame(w);
        InvalidateClient(w, nullptr, true);
        if (IsTopLevel(w)) {
            PlaceTopLevel(w, HWND_TOP);
            if (activate) ActivateWindow(hwnd);
        }
        return wasVisible;
    }
    w->style &= ~WS_VISIBLE;
    if (w->parent) {
        InvalidateUnderChild(w, w->rect);
        if (wm.focus && IsSelfOrAncestor(hwnd, wm.focus)) SetFocus(w->parent);
    } else {
        ComposeScreen(w->rect);
        if (wm.active == hwnd) ActivateAnotherThan(hwnd);
    }
    return wasVisible;
}
