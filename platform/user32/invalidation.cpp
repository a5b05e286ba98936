// Invalid rectangles per window: InvalidateRect, ValidateRect, RedrawWindow,
// GetUpdateRect, UpdateWindow, and the order in which windows repaint.
#include "platform/user32/paint_scheduling.h"
#include "platform/user32/window_geometry.h"
#include "platform/user32/window_ops.h"

#include <algorithm>

namespace layer {
namespace {

RECT ClientBounds(const Window* w) {
    RECT client = ClientRectInWindow(w);
    return RECT{0, 0, client.right - client.left, client.bottom - client.top};
}

bool NeedsPaint(const Window* w) { return !IsRectEmpty(&w->update) || w->frameInvalid; }

Window* FirstNeedingPaint(Window* w) {
    if (!(w->style & WS_VISIBLE)) return nullptr;
    if (NeedsPaint(w)) return w;
    // Bottom children first, so that a child above its sibling paints over it.
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        if (Window* c = WindowFromHandle(*it))
            if (Window* found = FirstNeedingPaint(c)) return found;
    return nullptr;
}

// The update rectangle minus cut, where the difference is still one rectangle.
RECT Subtract(RECT update, const RECT& cut) {
    RECT common;
    if (!IntersectRect(&common, &update, &cut)) return update;
    if (EqualRect(&common, &update)) return RECT{};
    bool fullWidth = common.left == update.left && common.right == update.right;
    bool fullHeight = common.top == update.top && common.bottom == update.bottom;
    if (fullWidth && common.top == update.top) update.top = common.bottom;
    else if (fullWidth && common.bottom == update.bottom) update.bottom = common.top;
    else if (fullHeight && common.left == update.left) update.left = common.right;
    else if (fullHeight && common.right == update.right) update.right = common.left;
    return update;
}

void InvalidateAllTopLevels(bool erase) {
    for (HWND h : std::vector<HWND>(Wm().zOrder))
        if (Window* w = WindowFromHandle(h)) {
            InvalidateFrame(w);
            InvalidateClient(w, nullptr, erase);
        }
}

}  // namespace

void InvalidateClient(Window* w, const RECT* clientRect, bool erase) {
    RECT bounds = ClientBounds(w);
    RECT r = bounds;
    if (clientRect && !IntersectRect(&r, clientRect, &bounds)) return;
    if (IsRectEmpty(&r)) return;
    UnionRect(&w->update, &w->update, &r);
    if (erase) w->erasePending = true;
    // Children are drawn in the parent's backing store, so what repaints the parent repaints them.
    // The update area is one rectangle, the union of all invalidations so far: a child that lies
    // between two invalid places is painted over too.
    for (HWND h : w->children) {
        Window* c = WindowFromHandle(h);
        if (!c || !(c->style & WS_VISIBLE)) continue;
        RECT under;
        if (!IntersectRect(&under, &w->update, &c->rect)) continue;
        RECT client = ClientRectInWindow(c);
        OffsetRect(&client, c->rect.left, c->rect.top);
        if (!EqualRect(&client, &c->rect) && !(under.left >= client.left && under.top >= client.top &&
                                               under.right <= client.right && under.bottom <= client.bottom))
            InvalidateFrame(c);
        OffsetRect(&under, -client.left, -client.top);
        InvalidateClient(c, &under, true);
    }
}

void InvalidateFrame(Window* w) {
    RECT insets = NonClientInsets(w->style, w->exStyle);
    if (insets.left || insets.top || insets.right || insets.bottom) w->frameInvalid = true;
}

void InvalidateUnderChild(Window* child, RECT rectInParent) {
    Window* parent = WindowFromHandle(child->parent);
    if (!parent) return;
    InvalidateClient(parent, &rectInParent, true);
    // What a hidden, moved or destroyed child uncovers is erased at once, as on
    // Windows: a busy program that pumps no messages must not keep showing it.
    if (!IsShownOnScreen(parent)) return;
    HWND hwnd = parent->hwnd;
    HDC dc = GetDC(hwnd);
    if (!dc) return;
    IntersectClipRect(dc, rectInParent.left, rectInParent.top, rectInParent.right, rectInParent.bottom);
    SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(hwnd, dc);
}

Window* FindWindowNeedingPaint(HWND filter) {
    if (filter) {
        Window* w = WindowFromHandle(filter);
        return w && IsShownOnScreen(w) ? FirstNeedingPaint(w) : nullptr;
    }
    for (Window* top : VisibleTopLevels())
        if (Window* found = FirstNeedingPaint(top)) return found;
    return nullptr;
}

void FinishPaintMessage(HWND hwnd) {
    Window* w = WindowFromHandle(hwnd);
    if (w && w->frameInvalid) {
        w->frameInvalid = false;
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    }
}

}  // namespace layer

using namespace layer;

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!hwnd || hwnd == Wm().desktop) {
        InvalidateAllTopLevels(erase != FALSE);
        return TRUE;
    }
    Window* w = CheckedWindow(hwnd);
    if (!w) return FALSE;
    InvalidateClient(w, rect, erase != FALSE);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = CheckedWindow(hwnd);
    if (!w) return FALSE;
    w->update = rect ? Subtract(w->update, *rect) : RECT{};
    if (IsRectEmpty(&w->update)) {
        SetRectEmpty(&w->update);
        w->erasePending = false;
    }
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
    Window* w = CheckedWindow(hwnd);
    if (!w) return FALSE;
    if (rect) *rect = w->update;
    return !IsRectEmpty(&w->update);
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
    // The window and then its children, parents first, as they would paint from the queue.
    return CheckedWindow(hwnd) && RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL WINAPI RedrawWindow(HWND hwnd, const RECT* rect, HRGN, UINT flags) {
    if (hwnd && !CheckedWindow(hwnd)) return FALSE;
    if (flags & RDW_INVALIDATE) {
        if (!hwnd || hwnd == Wm().desktop) {
            InvalidateAllTopLevels((flags & RDW_ERASE) != 0);
        } else {
            Window* w = WindowFromHandle(hwnd);
            if (flags & RDW_FRAME) InvalidateFrame(w);
            InvalidateClient(w, rect, (flags & RDW_ERASE) != 0);
        }
    }
    if (flags & RDW_UPDATENOW) {
        HWND scope = hwnd == Wm().desktop ? nullptr : hwnd;
        // Each paint validates its window; the bound only guards against a window that never does.
        for (int guard = 0; guard < 10000; ++guard) {
            Window* next = FindWindowNeedingPaint(scope);
            if (!next) break;
            HWND target = next->hwnd;
            SendMessageA(target, WM_PAINT, 0, 0);
            FinishPaintMessage(target);
            if (Window* again = WindowFromHandle(target); again && NeedsPaint(again)) ValidateRect(target, nullptr);
        }
    }
    return TRUE;
}
