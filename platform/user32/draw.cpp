// user32's rectangle and edge helpers, built on the gdi32 calls any program could make.
#include "platform/win32.h"

namespace {

// A system colour index + 1 stands for that colour's brush, as documented for class backgrounds.
HBRUSH ResolveBrush(HBRUSH brush) {
    auto value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= COLOR_INFOBK + 1) return GetSysColorBrush(static_cast<int>(value - 1));
    return brush;
}

bool Fill(HDC hdc, int x, int y, int width, int height, HBRUSH brush) {
    if (width <= 0 || height <= 0) return true;
    HGDIOBJ previous = SelectObject(hdc, brush);
    if (!previous) return false;
    BOOL ok = PatBlt(hdc, x, y, width, height, PATCOPY);
    SelectObject(hdc, previous);
    return ok != FALSE;
}

void FillWithSysColor(HDC hdc, int x, int y, int width, int height, int colourIndex) {
    Fill(hdc, x, y, width, height, GetSysColorBrush(colourIndex));
}

// One ring of an edge: the top and left lines stop short of the corners that the
// bottom and right lines own.
void DrawRing(HDC hdc, const RECT& r, UINT sides, int topLeft, int bottomRight) {
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return;
    if (sides & BF_TOP) FillWithSysColor(hdc, r.left, r.top, width - ((sides & BF_RIGHT) ? 1 : 0), 1, topLeft);
    if (sides & BF_LEFT) FillWithSysColor(hdc, r.left, r.top, 1, height - ((sides & BF_BOTTOM) ? 1 : 0), topLeft);
    if (sides & BF_BOTTOM) FillWithSysColor(hdc, r.left, r.bottom - 1, width, 1, bottomRight);
    if (sides & BF_RIGHT) FillWithSysColor(hdc, r.right - 1, r.top, 1, height, bottomRight);
}

void ShrinkSides(RECT* r, UINT sides) {
    if (sides & BF_LEFT) ++r->left;
    if (sides & BF_TOP) ++r->top;
    if (sides & BF_RIGHT) --r->right;
    if (sides & BF_BOTTOM) --r->bottom;
}

// Draws one ring of an edge, then steps inside it for the next.
void DrawRingAndStepIn(HDC hdc, RECT* r, UINT sides, int topLeft, int bottomRight) {
    DrawRing(hdc, *r, sides, topLeft, bottomRight);
    ShrinkSides(r, sides);
}

}  // namespace

int WINAPI FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    if (!rect || !brush) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    brush = ResolveBrush(brush);
    if (brush == GetStockObject(NULL_BRUSH)) return GetObjectType(hdc) ? 1 : 0;
    // An inverted rectangle fills as PatBlt fills a negative extent: the pixels
    // from its far edge, exclusive, to its near edge, inclusive.
    const int left = rect->right < rect->left ? rect->right + 1 : rect->left;
    const int top = rect->bottom < rect->top ? rect->bottom + 1 : rect->top;
    const int width = rect->right < rect->left ? rect->left - rect->right : rect->right - rect->left;
    const int height = rect->bottom < rect->top ? rect->top - rect->bottom : rect->bottom - rect->top;
    return Fill(hdc, left, top, width, height, brush) ? 1 : 0;
}

int WINAPI FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    if (!rect || !brush) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    brush = ResolveBrush(brush);
    int width = rect->right - rect->left;
    int height = rect->bottom - rect->top;
    if (width <= 0 || height <= 0) return GetObjectType(hdc) ? 1 : 0;
    bool ok = Fill(hdc, rect->left, rect->top, width, 1, brush) &&
              Fill(hdc, rect->left, rect->bottom - 1, width, 1, brush) &&
              Fill(hdc, rect->left, rect->top, 1, height, brush) &&
              Fill(hdc, rect->right - 1, rect->top, 1, height, brush);
    return ok ? 1 : 0;
}

BOOL WINAPI DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
    if (!rect || !GetObjectType(hdc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool soft = (flags & BF_SOFT) != 0;
    const UINT sides = flags & BF_RECT;
    RECT r = *rect;
    if (edge & BDR_RAISEDOUTER)
        DrawRingAndStepIn(hdc, &r, sides, soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    else if (edge & BDR_SUNKENOUTER)
        DrawRingAndStepIn(hdc, &r, sides, soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    if (edge & BDR_RAISEDINNER)
        DrawRingAndStepIn(hdc, &r, sides, soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    else if (edge & BDR_SUNKENINNER)
        DrawRingAndStepIn(hdc, &r, sides, soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    if (flags & BF_MIDDLE) FillWithSysColor(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, COLOR_BTNFACE);
    if (flags & BF_ADJUST) *rect = r;
    return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hdc, const RECT* rect) {
    if (!rect || !GetObjectType(hdc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // A dotted frame drawn by inversion, so a second call takes it away again.
    auto invert = [hdc](int x, int y) {
        if ((x + y) % 2 != 0) return;
        COLORREF colour = GetPixel(hdc, x, y);
        if (colour != CLR_INVALID) SetPixel(hdc, x, y, colour ^ 0x00FFFFFF);
    };
    const RECT& r = *rect;
    if (r.right <= r.left || r.bottom <= r.top) return TRUE;
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 != r.top) invert(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 != r.left) invert(r.right - 1, y);
    }
    return TRUE;
}
