// DestroyWindow: owned windows first, then WM_DESTROY, the children, WM_NCDESTROY.
#include "platform/ipc/ipc.h"
#include "platform/user32/message_queue.h"
#include "platform/user32/window_geometry.h"
#include "platform/user32/window_ops.h"

#include <algorithm>

namespace layer {
namespace {

void Unlink(Window* w) {
    WindowManager& wm = Wm();
    if (w->parent) {
        if (Window* parent = WindowFromHandle(w->parent)) {
            auto& siblings = parent->children;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), w->hwnd), siblings.end());
        }
    } else {
        RemoveTopLevel(w->hwnd);
        IpcWithdrawWindow(w->hwnd);
    }
    if (wm.focus == w->hwnd) wm.focus = nullptr;
    if (wm.capture == w->hwnd) wm.capture = nullptr;
    if (wm.active == w->hwnd) wm.active = nullptr;
}

// WM_DESTROY to the window, then its children destroyed, then WM_NCDESTROY; the handle is stale afterwards.
void DestroyTree(HWND hwnd) {
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    Window* w = WindowFromHandle(hwnd);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND child : children) {
        Window* c = WindowFromHandle(child);
        if (c && !c->destroying) {
            c->destroying = true;
            DestroyTree(child);
        }
    }
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    if (!(w = WindowFromHandle(hwnd))) return;
    Unlink(w);
    DiscardMessagesFor(hwnd);
    --w->windowClass->windowCount;
    UnregisterWindow(hwnd);
}

}  // namespace
}  // namespace layer

using namespace layer;

BOOL WINAPI DestroyWindow(HWND hwnd) {
    WindowManager& wm = Wm();
    Window* w = CheckedWindow(hwnd);
    if (!w) return FALSE;
    if (hwnd == wm.desktop) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (w->destroying) return TRUE;
    w->destroying = true;

    if (IsTopLevel(w)) {
        std::vector<HWND> owned;
        for (HWND other : wm.zOrder)
            if (Window* o = WindowFromHandle(other); o && o->owner == hwnd) owned.push_back(other);
        for (HWND o : owned) DestroyWindow(o);
        if (!(w = WindowFromHandle(hwnd))) return TRUE;
    }

    bool wasShown = IsShownOnScreen(w);
    RECT screenRect = ScreenRectOf(w);
    w->style &= ~WS_VISIBLE;
    if (wasShown && w->parent) InvalidateUnderChild(w, w->rect);
    if (wm.focus && IsSelfOrAncestor(hwnd, wm.focus)) SetFocus(w->parent);
    if (wm.capture && IsSelfOrAncestor(hwnd, wm.capture)) wm.capture = nullptr;
    if (wm.active == hwnd) ActivateAnotherThan(hwnd);

    DestroyTree(hwnd);
    if (wasShown && !IsWindow(hwnd)) ComposeScreen(screenRect);
    return TRUE;
}
