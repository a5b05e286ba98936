// DefWindowProcA: what a window does with the messages its procedure leaves alone.
#include "platform/ipc/ipc.h"
#include "platform/user32/nonclient_paint.h"
#include "platform/user32/system_colors.h"
#include "platform/user32/window_ops.h"

#include <cstring>

#define MA_ACTIVATE 1

namespace layer {
namespace {

LRESULT EraseBackground(HWND hwnd, HDC hdc) {
    Window* w = WindowFromHandle(hwnd);
    HBRUSH brush = w ? ResolveBackgroundBrush(w->windowClass->background) : nullptr;
    if (!brush) return 0;
    RECT client;
    GetClientRect(hwnd, &client);
    HGDIOBJ old = SelectObject(hdc, brush);
    PatBlt(hdc, 0, 0, client.right, client.bottom, PATCOPY);
    SelectObject(hdc, old);
    return 1;
}

LRESULT SetText(HWND hwnd, LPCSTR text) {
    Window* w = WindowFromHandle(hwnd);
    if (!w) return FALSE;
    w->text = text ? text : "";
    if (IsTopLevel(w)) IpcPublishWindow(hwnd, w->windowClass->name.c_str(), w->text.c_str());
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
        InvalidateFrame(w);
        PaintNonClient(hwnd);
        w->frameInvalid = false;
    }
    return TRUE;
}

LRESULT GetText(HWND hwnd, WPARAM size, LPSTR buffer) {
    Window* w = WindowFromHandle(hwnd);
    if (!w || !buffer || size == 0) return 0;
    size_t n = w->text.size() < size - 1 ? w->text.size() : size - 1;
    std::memcpy(buffer, w->text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT ControlColours(WPARAM hdcValue, int background) {
    HDC hdc = reinterpret_cast<HDC>(hdcValue);
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

}  // namespace
}  // namespace layer

using namespace layer;

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(hwnd, &paint)) EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_NCPAINT:
        PaintNonClient(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_SETTEXT:
        return SetText(hwnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT:
        return GetText(hwnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: {
        Window* w = WindowFromHandle(hwnd);
        return w ? static_cast<LRESULT>(w->text.size()) : 0;
    }
    case WM_CTLCOLOREDIT:
        return ControlColours(wParam, COLOR_WINDOW);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORMSGBOX:
        return ControlColours(wParam, COLOR_BTNFACE);
    case WM_MOUSEACTIVATE: {
        // A child lets its parent decide first.
        Window* w = WindowFromHandle(hwnd);
        if (w && w->parent)
            if (LRESULT answer = SendMessageA(w->parent, WM_MOUSEACTIVATE, wParam, lParam)) return answer;
        return MA_ACTIVATE;
    }
    default:
        return 0;
    }
}
