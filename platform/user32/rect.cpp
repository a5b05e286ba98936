// Rectangle arithmetic.
#include "platform/win32.h"

#include <algorithm>

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL WINAPI IsRectEmpty(const RECT* rect) {
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL WINAPI EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL WINAPI IntersectRect(LPRECT result, const RECT* a, const RECT* b) {
    if (!result || !a || !b) return FALSE;
    RECT r = {std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
              std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(result);
        return FALSE;
    }
    *result = r;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT result, const RECT* a, const RECT* b) {
    if (!result || !a || !b) return FALSE;
    if (IsRectEmpty(a) && IsRectEmpty(b)) {
        SetRectEmpty(result);
        return FALSE;
    }
    if (IsRectEmpty(a)) {
        *result = *b;
    } else if (IsRectEmpty(b)) {
        *result = *a;
    } else {
        *result = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                       std::max(a->bottom, b->bottom)};
    }
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL WINAPI PtInRect(const RECT* rect, POINT point) {
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}
