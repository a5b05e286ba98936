#include "platform/user32/window_geometry.h"

namespace layer {

RECT NonClientInsets(DWORD style, DWORD exStyle) {
    int frame = 0;
    if (style & WS_THICKFRAME)
        frame = 4;
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        frame = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
        frame = GetSystemMetrics(SM_CXBORDER);
    if (exStyle & WS_EX_CLIENTEDGE) frame += 2;
    RECT insets = {frame, frame, frame, frame};
    if ((style & WS_CAPTION) == WS_CAPTION) insets.top += GetSystemMetrics(SM_CYCAPTION);
    return insets;
}

RECT CloseBoxInWindow(const Window* w) {
    if ((w->style & WS_CAPTION) != WS_CAPTION || !(w->style & WS_SYSMENU)) return RECT{};
    RECT insets = NonClientInsets(w->style, w->exStyle & ~WS_EX_CLIENTEDGE);
    int right = w->rect.right - w->rect.left - insets.right;
    int top = insets.top - GetSystemMetrics(SM_CYCAPTION);
    return RECT{right - 18, top + 2, right - 2, top + GetSystemMetrics(SM_CYCAPTION) - 3};
}

RECT ScreenRectOf(const Window* w) {
    RECT r = w->rect;
    if (w->parent) {
        if (const Window* parent = WindowFromHandle(w->parent)) {
            POINT origin = ClientOriginOnScreen(parent);
            OffsetRect(&r, origin.x, origin.y);
        }
    }
    return r;
}

RECT ClientRectInWindow(const Window* w) {
    RECT insets = NonClientInsets(w->style, w->exStyle);
    RECT r = {insets.left, insets.top, w->rect.right - w->rect.left - insets.right,
              w->rect.bottom - w->rect.top - insets.bottom};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

POINT ClientOriginOnScreen(const Window* w) {
    RECT screen = ScreenRectOf(w);
    RECT client = ClientRectInWindow(w);
    return POINT{screen.left + client.left, screen.top + client.top};
}

RECT RectInTopLevel(const Window* w) {
    RECT r = ScreenRectOf(w);
    const Window* top = TopLevelOf(const_cast<Window*>(w));
    OffsetRect(&r, -top->rect.left, -top->rect.top);
    return r;
}

RECT VisibleClientInTopLevel(const Window* w) {
    RECT visible = ClientRectInWindow(w);
    RECT inTop = RectInTopLevel(w);
    OffsetRect(&visible, inTop.left, inTop.top);
    for (const Window* a = w->parent ? WindowFromHandle(w->parent) : nullptr; a;
         a = a->parent ? WindowFromHandle(a->parent) : nullptr) {
        RECT client = ClientRectInWindow(a);
        RECT aInTop = RectInTopLevel(a);
        OffsetRect(&client, aInTop.left, aInTop.top);
        if (!IntersectRect(&visible, &visible, &client)) SetRectEmpty(&visible);
    }
    return visible;
}

}  // namespace layer
