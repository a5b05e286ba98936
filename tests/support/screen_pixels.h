// Pixels of the headless screen as GetPixel gives them (0x00BBGGRR).
#pragma once

#include "platform/display/display.h"
#include "platform/win32.h"

inline COLORREF ScreenPixel(int x, int y) {
    layer::PixelBuffer screen = layer::DisplayScreen();
    uint32_t rgb = screen.pixels[y * screen.width + x];
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// A pixel of a window's client area, read from the screen.
inline COLORREF ClientPixel(HWND hwnd, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(hwnd, &point);
    return ScreenPixel(point.x, point.y);
}
