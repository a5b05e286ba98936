#include "ui/progress_bar.h"

#include "app/installer_state.h"

#include <cstring>

namespace {

void DrawLine(HDC hdc, int fromX, int fromY, int toX, int toY) {
    MoveToEx(hdc, fromX, fromY, nullptr);
    LineTo(hdc, toX, toY);
}

// Shadow on the top and left, highlight on the right and bottom: a sunken look in the
// button colours of this paint.
void DrawSunkenFrame(HDC hdc, int left, int top, int right, int bottom) {
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ before = SelectObject(hdc, shadow);
    DrawLine(hdc, left + 1, top + 1, right, top + 1);
    DrawLine(hdc, left + 1, top + 1, left + 1, bottom);
    SelectObject(hdc, before);
    DeleteObject(shadow);

    HPEN highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    SelectObject(hdc, highlight);
    DrawLine(hdc, right - 1, bottom - 1, right - 1, top + 1);
    DrawLine(hdc, right - 1, bottom - 1, left + 1, bottom - 1);
    SelectObject(hdc, before);
    DeleteObject(highlight);
}

void DrawPart(HDC hdc, const RECT& part, int x, int y, const char* text, int length, COLORREF textColour,
              COLORREF background) {
    SetTextColor(hdc, textColour);
    SetBkColor(hdc, background);
    ExtTextOutA(hdc, x, y, ETO_OPAQUE | ETO_CLIPPED, &part, text, length, nullptr);
}

}  // namespace

void PaintProgressBar(int border3D, int left, int top, int right, int bottom, HDC hdc, int percent,
                      const char* text, COLORREF fillColour, COLORREF altTextColour, COLORREF backColour,
                      int useAltText) {
    if (border3D) {
        DrawSunkenFrame(hdc, left, top, right, bottom);
        left += 2;
        top += 2;
        right -= 1;
        bottom -= 1;
    }
    int length = (int)strlen(text);
    SIZE caption = {};
    GetTextExtentPointA(hdc, text, length, &caption);
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    int filled = percent * (right - left + 1) / 100;
    int x = left + (right - left + 1 - caption.cx) / 2;
    int y = top + (bottom - top + 1 - caption.cy) / 2;

    RECT part;
    SetRect(&part, left, top, left + filled, bottom);
    DrawPart(hdc, part, x, y, text, length, useAltText ? altTextColour : backColour, fillColour);
    SetRect(&part, left + filled, top, right, bottom);
    DrawPart(hdc, part, x, y, text, length, useAltText ? altTextColour : fillColour, backColour);
}

LRESULT CALLBACK ProgressWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC hdc = BeginPaint(hwnd, &paint);
        RECT client;
        GetClientRect(hwnd, &client);
        PaintProgressBar(1, 0, 0, client.right - 1, client.bottom - 1, hdc, installerState.progressPercent,
                         installerState.statusText, 0x00800000, 0x00000000, 0x00FFFFFF, 0);
        EndPaint(hwnd, &paint);
    }
    return CallWindowProcA(installerState.progressOldProc, hwnd, message, wParam, lParam);
}
