#include "platform/user32/nonclient_paint.h"

#include "platform/user32/paint_scheduling.h"
#include "platform/user32/window_geometry.h"
#include "platform/user32/window_ops.h"

namespace layer {
namespace {

void Fill(HDC hdc, int left, int top, int right, int bottom, int colourIndex) {
    if (right <= left || bottom <= top) return;
    HGDIOBJ old = SelectObject(hdc, GetSysColorBrush(colourIndex));
    PatBlt(hdc, left, top, right - left, bottom - top, PATCOPY);
    SelectObject(hdc, old);
}

// One ring of a 3D edge: topLeft colour on the top and left lines, bottomRight on the others.
void Ring(HDC hdc, RECT* r, int topLeft, int bottomRight) {
    Fill(hdc, r->left, r->top, r->right - 1, r->top + 1, topLeft);
    Fill(hdc, r->left, r->top, r->left + 1, r->bottom - 1, topLeft);
    Fill(hdc, r->left, r->bottom - 1, r->right, r->bottom, bottomRight);
    Fill(hdc, r->right - 1, r->top, r->right, r->bottom, bottomRight);
    InflateRect(r, -1, -1);
}

HFONT CaptionFont() {
    static HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    return font;
}

void DrawFrame(HDC hdc, const Window* w, RECT* r) {
    if ((w->style & (WS_THICKFRAME | WS_DLGFRAME)) || (w->exStyle & WS_EX_DLGMODALFRAME)) {
        Ring(hdc, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        Ring(hdc, r, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        Ring(hdc, r, COLOR_BTNFACE, COLOR_BTNFACE);
        if (w->style & WS_THICKFRAME) Ring(hdc, r, COLOR_BTNFACE, COLOR_BTNFACE);
    } else if (w->style & WS_BORDER) {
        Ring(hdc, r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    }
}

void DrawCaption(HDC hdc, const Window* w, RECT* r, bool active) {
    int height = GetSystemMetrics(SM_CYCAPTION);
    RECT bar = {r->left, r->top, r->right, r->top + height - 1};
    Fill(hdc, bar.left, bar.top, bar.right, bar.bottom, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    // The line under the caption is the frame's face colour.
    Fill(hdc, bar.left, bar.bottom, bar.right, bar.bottom + 1, COLOR_BTNFACE);
    r->top += height;
    if (w->style & WS_SYSMENU) {
        // The close box: a small raised button with a cross.
        RECT box = CloseBoxInWindow(w);
        bar.right = box.left;
        RECT inside = box;
        Ring(hdc, &inside, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
        Ring(hdc, &inside, COLOR_3DLIGHT, COLOR_BTNSHADOW);
        Fill(hdc, inside.left, inside.top, inside.right, inside.bottom, COLOR_BTNFACE);
        int cx = (box.left + box.right) / 2 - 1, cy = (box.top + box.bottom) / 2 - 1;
        for (int i = -3; i <= 3; ++i) {
            Fill(hdc, cx + i, cy + i, cx + i + 2, cy + i + 1, COLOR_BTNTEXT);
            Fill(hdc, cx + i, cy - i, cx + i + 2, cy - i + 1, COLOR_BTNTEXT);
        }
    }
    if (w->text.empty()) return;
    HGDIOBJ oldFont = SelectObject(hdc, CaptionFont());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    SIZE extent = {};
    GetTextExtentPoint32A(hdc, w->text.c_str(), static_cast<int>(w->text.size()), &extent);
    RECT clip = {bar.left + 2, bar.top, bar.right - 2, bar.bottom};
    ExtTextOutA(hdc, clip.left, bar.top + (bar.bottom - bar.top - extent.cy) / 2, ETO_CLIPPED, &clip,
                w->text.c_str(), static_cast<UINT>(w->text.size()), nullptr);
    SelectObject(hdc, oldFont);
}

void DrawClientEdge(HDC hdc, RECT* r) {
    Ring(hdc, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    Ring(hdc, r, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
}

}  // namespace

void PaintNonClient(HWND hwnd) {
    Window* w = WindowFromHandle(hwnd);
    if (!w || !IsShownOnScreen(w)) return;
    HDC hdc = CreateWindowDC(w, true);
    if (!hdc) return;
    RECT r = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    DrawFrame(hdc, w, &r);
    if ((w->style & WS_CAPTION) == WS_CAPTION) DrawCaption(hdc, w, &r, TopLevelOf(w)->hwnd == Wm().active);
    if (w->exStyle & WS_EX_CLIENTEDGE) DrawClientEdge(hdc, &r);
    ReleaseWindowDC(hdc);
    ComposeScreen(ScreenRectOf(w));
}

}  // namespace layer
