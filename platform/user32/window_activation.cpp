// Activation, foreground, keyboard focus and mouse capture.
#include "platform/user32/window_ops.h"

#define WA_INACTIVE 0
#define WA_ACTIVE 1

namespace layer {

void ActivateWindow(HWND hwnd) {
    WindowManager& wm = Wm();
    Window* w = WindowFromHandle(hwnd);
    if (!w || !IsTopLevel(w)) return;
    PlaceTopLevel(w, HWND_TOP);
    if (w->style & WS_VISIBLE) ComposeScreen(w->rect);
    if (wm.active == hwnd) return;
    HWND previous = wm.active;
    wm.active = hwnd;
    if (Window* old = WindowFromHandle(previous)) {
        InvalidateFrame(old);
        SendMessageA(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
    }
    if (!(w = WindowFromHandle(hwnd))) return;
    InvalidateFrame(w);
    SendMessageA(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    if (wm.active != hwnd || !(w = WindowFromHandle(hwnd))) return;
    if (!wm.focus || !IsSelfOrAncestor(hwnd, wm.focus)) {
        HWND again = w->lastFocus;
        SetFocus(WindowFromHandle(again) && IsSelfOrAncestor(hwnd, again) ? again : hwnd);
    }
}

void ActivateAnotherThan(HWND hwnd) {
    WindowManager& wm = Wm();
    Window* w = WindowFromHandle(hwnd);
    Window* owner = w ? WindowFromHandle(w->owner) : nullptr;
    if (owner && (owner->style & WS_VISIBLE) && !(owner->style & WS_DISABLED)) {
        ActivateWindow(owner->hwnd);
        return;
    }
    for (Window* other : VisibleTopLevels()) {
        if (other->hwnd != hwnd && !(other->style & WS_DISABLED) && !other->destroying) {
            ActivateWindow(other->hwnd);
            return;
        }
    }
    if (wm.focus && IsSelfOrAncestor(hwnd, wm.focus)) SetFocus(nullptr);
    wm.active = nullptr;
}

}  // namespace layer

using namespace layer;

BOOL WINAPI SetForegroundWindow(HWND hwnd) {
    Window* w = CheckedWindow(hwnd);
    if (!w) return FALSE;
    ActivateWindow(TopLevelOf(w)->hwnd);
    return TRUE;
}

HWND WINAPI GetForegroundWindow(void) { return Wm().active; }
HWND WINAPI GetActiveWindow(void) { return Wm().active; }
HWND WINAPI GetFocus(void) { return Wm().focus; }

HWND WINAPI SetFocus(HWND hwnd) {
    WindowManager& wm = Wm();
    HWND previous = wm.focus;
    if (hwnd) {
        Window* w = CheckedWindow(hwnd);
        if (!w) return nullptr;
        Window* top = TopLevelOf(w);
        top->lastFocus = hwnd;
        // As on Windows, even a hidden top-level window becomes the active one here.
        if (wm.active != top->hwnd) {
            ActivateWindow(top->hwnd);
            if (wm.focus == hwnd) return previous;
        }
    }
    if (previous == hwnd) return previous;
    wm.focus = hwnd;
    if (WindowFromHandle(previous)) SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && wm.focus == hwnd && WindowFromHandle(hwnd))
        SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND WINAPI SetCapture(HWND hwnd) {
    WindowManager& wm = Wm();
    HWND previous = wm.capture;
    if (!CheckedWindow(hwnd)) return nullptr;
    wm.capture = hwnd;
    if (previous && previous != hwnd && WindowFromHandle(previous))
        SendMessageA(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return previous;
}

BOOL WINAPI ReleaseCapture(void) {
    WindowManager& wm = Wm();
    HWND previous = wm.capture;
    wm.capture = nullptr;
    if (WindowFromHandle(previous)) SendMessageA(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) { return Wm().capture; }
