// Small drawing fixtures for the GDI conformance checks: a memory context
// over a 32-bit top-down DIB section whose pixels can be read directly.
#pragma once

#include "platform/win32.h"

#include <cstring>
#include <string>

namespace gdi_conformance {

struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    DWORD* bits = nullptr;
    int width = 0;
    int height = 0;

    Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255)) : width(w), height(h) {
        BITMAPINFO info;
        std::memset(&info, 0, sizeof info);
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        previous = SelectObject(dc, bitmap);
        Fill(fill);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Fill(COLORREF colour) {
        DWORD pixel = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        for (int i = 0; i < width * height; ++i) bits[i] = pixel;
    }
    // The pixel as a COLORREF.
    COLORREF At(int x, int y) const {
        DWORD v = bits[y * width + x];
        return RGB((v >> 16) & 0xff, (v >> 8) & 0xff, v & 0xff);
    }
    // Rows as text, one character per pixel: '#' where the pixel is `ink`, '.' elsewhere.
    std::string Picture(COLORREF ink) const {
        std::string text;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) text += At(x, y) == ink ? '#' : '.';
            text += '|';
        }
        return text;
    }
};

}  // namespace gdi_conformance
