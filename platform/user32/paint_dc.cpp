// Device contexts on windows: BeginPaint/EndPaint and GetDC/ReleaseDC, all
// drawing into the top-level window's backing store.
#include "platform/display/display.h"
#include "platform/user32/paint_scheduling.h"
#include "platform/user32/window_geometry.h"
#include "platform/user32/window_ops.h"

#include <set>

namespace layer {
namespace {

// The contexts GetDC and BeginPaint gave out: only these are released, and each once.
std::set<HDC>& WindowDCs() {
    static std::set<HDC> dcs;
    return dcs;
}


// The visible client area (or the whole window) of w on the screen.
RECT VisibleAreaOnScreen(Window* w, bool frame) {
    Window* top = TopLevelOf(w);
    RECT area = VisibleClientInTopLevel(w);
    if (frame) {
        area = RectInTopLevel(w);
        if (Window* parent = WindowFromHandle(w->parent)) {
            RECT parentClient = VisibleClientInTopLevel(parent);
            if (!IntersectRect(&area, &area, &parentClient)) SetRectEmpty(&area);
        }
    }
    OffsetRect(&area, top->rect.left, top->rect.top);
    return area;
}

void ShowOnScreen(Window* w, RECT screenArea) {
    if (IsShownOnScreen(w) && !IsRectEmpty(&screenArea)) ComposeScreen(screenArea);
}

}  // namespace

bool ReleaseWindowDC(HDC hdc) {
    if (!WindowDCs().erase(hdc)) return false;
    DeleteDC(hdc);
    return true;
}

HDC CreateWindowDC(Window* w, bool frame) {
    Window* top = TopLevelOf(w);
    EnsureBackingStore(top);
    RECT inTop = RectInTopLevel(w);
    POINT origin = {inTop.left, inTop.top};
    RECT clip = VisibleAreaOnScreen(w, frame);
    OffsetRect(&clip, -top->rect.left, -top->rect.top);
    if (!frame) {
        RECT client = ClientRectInWindow(w);
        origin.x += client.left;
        origin.y += client.top;
    }
    // Nothing of a hidden window may reach the pixels of what lies under it.
    if (!IsShownOnScreen(w)) SetRectEmpty(&clip);
    HDC hdc = CreateBufferDC(top->backing, origin.x, origin.y, clip);
    if (hdc) WindowDCs().insert(hdc);
    return hdc;
}

}  // namespace layer

using namespace layer;

HDC WINAPI BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    Window* w = CheckedWindow(hwnd);
    if (!w) return nullptr;
    if (!paint) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    FinishPaintMessage(hwnd);
    if (!(w = WindowFromHandle(hwnd))) return nullptr;
    *paint = PAINTSTRUCT{};
    paint->rcPaint = w->update;
    bool erase = w->erasePending;
    SetRectEmpty(&w->update);
    w->erasePending = false;
    HDC hdc = CreateWindowDC(w, false);
    if (!hdc) return nullptr;
    RECT inTop = VisibleClientInTopLevel(w);
    RECT clientInTop = ClientRectInWindow(w);
    RECT windowInTop = RectInTopLevel(w);
    RECT updateInTop = paint->rcPaint;
    OffsetRect(&updateInTop, windowInTop.left + clientInTop.left, windowInTop.top + clientInTop.top);
    if (!IntersectRect(&updateInTop, &updateInTop, &inTop) || !IsShownOnScreen(w)) SetRectEmpty(&updateInTop);
    SetBufferDCClip(hdc, updateInTop);
    paint->hdc = hdc;
    paint->fErase = TRUE;
    if (erase) paint->fErase = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
    return hdc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (!paint) return FALSE;
    ReleaseWindowDC(paint->hdc);
    Window* w = CheckedWindow(hwnd);
    if (!w) return FALSE;
    POINT origin = ClientOriginOnScreen(w);
    RECT area = paint->rcPaint;
    OffsetRect(&area, origin.x, origin.y);
    RECT visible = VisibleAreaOnScreen(w, false);
    if (IntersectRect(&area, &area, &visible)) ShowOnScreen(w, area);
    return TRUE;
}

HDC WINAPI GetDC(HWND hwnd) {
    if (!hwnd) hwnd = Wm().desktop;
    Window* w = CheckedWindow(hwnd);
    if (!w) return nullptr;
    if (hwnd != Wm().desktop) return CreateWindowDC(w, false);
    HDC hdc = CreateBufferDC(DisplayScreen(), 0, 0, w->rect);
    if (hdc) WindowDCs().insert(hdc);
    return hdc;
}

int WINAPI ReleaseDC(HWND hwnd, HDC hdc) {
    if (!ReleaseWindowDC(hdc)) return 0;
    Window* w = WindowFromHandle(hwnd);
    if (w && hwnd != Wm().desktop) ShowOnScreen(w, VisibleAreaOnScreen(w, false));
    return 1;
}
