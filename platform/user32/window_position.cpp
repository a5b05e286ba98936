// Where windows are: MoveWindow, SetWindowPos, the rectangles and point conversions.
#include "platform/user32/window_geometry.h"
#include "platform/user32/window_ops.h"

namespace layer {
namespace {

// The deepest visible, enabled window under a screen point inside w.
Window* DeepestChildAt(Window* w, POINT screenPoint) {
    for (HWND h : w->children) {
        Window* c = WindowFromHandle(h);
        if (!c || !(c->style & WS_VISIBLE) || (c->style & WS_DISABLED)) continue;
        RECT r = ScreenRectOf(c);
        if (PtInRect(&r, screenPoint)) return DeepestChildAt(c, screenPoint);
    }
    return w;
}

}  // namespace

Window* WindowAtScreenPoint(POINT screenPoint) {
    for (Window* top : VisibleTopLevels())
        if (PtInRect(&top->rect, screenPoint)) return DeepestChildAt(top, screenPoint);
    return nullptr;
}

void RepositionWindow(Window* w, RECT rect, bool repaint) {
    RECT old = w->rect;
    if (EqualRect(&old, &rect)) return;
    HWND hwnd = w->hwnd;
    bool moved = old.left != rect.left || old.top != rect.top;
    bool sized = old.right - old.left != rect.right - rect.left || old.bottom - old.top != rect.bottom - rect.top;
    bool shown = IsShownOnScreen(w);
    if (w->parent) {
        if (shown) InvalidateUnderChild(w, old);
        w->rect = rect;
    } else {
        w->rect = rect;
        if (sized) EnsureBackingStore(w);
        if (shown) {
            ComposeScreen(old);
            ComposeScreen(rect);
        }
    }
    if (sized || repaint || w->parent) {
        InvalidateFrame(w);
        InvalidateClient(w, nullptr, true);
    }
    if (moved) {
        POINT origin = {rect.left, rect.top};
        SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
    if (sized && (w = WindowFromHandle(hwnd))) {
        RECT client = ClientRectInWindow(w);
        SendMessageA(hwnd, WM_SIZE, 0, MAKELPARAM(client.right - client.left, client.bottom - client.top));
    }
}

}  // namespace layer

using namespace layer;

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    Window* w = CheckedWindow(hwnd);
    if (!w) return FALSE;
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    RepositionWindow(w, RECT{x, y, x + width, y + height}, repaint != FALSE);
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* w = CheckedWindow(hwnd);
    if (!w || hwnd == Wm().desktop) return FALSE;
    RECT rect = w->rect;
    if (!(flags & SWP_NOMOVE)) OffsetRect(&rect, x - rect.left, y - rect.top);
    if (!(flags & SWP_NOSIZE)) {
        rect.right = rect.left + (cx < 0 ? 0 : cx);
        rect.bottom = rect.top + (cy < 0 ? 0 : cy);
    }
    RepositionWindow(w, rect, !(flags & SWP_NOREDRAW));
    if (!(w = WindowFromHandle(hwnd))) return TRUE;
    if (!(flags & SWP_NOZORDER) && IsTopLevel(w)) {
        if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)
            SetTopmostBand(w, insertAfter == HWND_TOPMOST);
        else if (insertAfter == HWND_BOTTOM)
            SetTopmostBand(w, false);
        PlaceTopLevel(w, insertAfter);
        if (w->style & WS_VISIBLE) ComposeScreen(w->rect);
    }
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    w = WindowFromHandle(hwnd);
    if (w && IsTopLevel(w) && (w->style & WS_VISIBLE) && !(flags & (SWP_NOACTIVATE | SWP_NOZORDER)) &&
        insertAfter != HWND_BOTTOM)
        ActivateWindow(hwnd);
    return TRUE;
}

namespace {

// The window a rectangle query reads: none for a stale handle or a missing rectangle.
Window* WindowForRectQuery(HWND hwnd, LPRECT rect) {
    Window* w = CheckedWindow(hwnd);
    if (w && !rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return w;
}

}  // namespace

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = WindowForRectQuery(hwnd, rect);
    if (!w) return FALSE;
    *rect = ScreenRectOf(w);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = WindowForRectQuery(hwnd, rect);
    if (!w) return FALSE;
    RECT client = ClientRectInWindow(w);
    *rect = RECT{0, 0, client.right - client.left, client.bottom - client.top};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point) {
    Window* w = CheckedWindow(hwnd);
    if (!w || !point) return FALSE;
    POINT origin = ClientOriginOnScreen(w);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point) {
    Window* w = CheckedWindow(hwnd);
    if (!w || !point) return FALSE;
    POINT origin = ClientOriginOnScreen(w);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

HWND WINAPI WindowFromPoint(POINT point) {
    Window* w = WindowAtScreenPoint(point);
    return w ? w->hwnd : nullptr;
}
