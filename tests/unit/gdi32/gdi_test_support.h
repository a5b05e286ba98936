// Fixtures shared by the GDI unit tests: DIB sections with readable pixels.
#pragma once

#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace gdi_test {

// A memory context holding a top-down DIB section of the given depth and colour table.
struct DibCanvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    BYTE* bits = nullptr;
    int stride = 0;

    DibCanvas(int width, int height, int bitsPerPixel, std::vector<RGBQUAD> colours = {}) {
        std::vector<uint8_t> storage(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
        auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
        info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->bmiHeader.biWidth = width;
        info->bmiHeader.biHeight = -height;
        info->bmiHeader.biPlanes = 1;
        info->bmiHeader.biBitCount = WORD(bitsPerPixel);
        info->bmiHeader.biClrUsed = DWORD(colours.size());
        if (!colours.empty()) std::memcpy(info->bmiColors, colours.data(), colours.size() * sizeof(RGBQUAD));
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        previous = SelectObject(dc, bitmap);
        stride = ((width * bitsPerPixel + 31) / 32) * 4;
    }
    ~DibCanvas() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
};

// A memory context holding a device-dependent bitmap made by `make`.
struct DdbCanvas {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap;
    HGDIOBJ previous;
    explicit DdbCanvas(HBITMAP made) : bitmap(made) { previous = SelectObject(dc, bitmap); }
    ~DdbCanvas() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    DdbCanvas(const DdbCanvas&) = delete;
    DdbCanvas& operator=(const DdbCanvas&) = delete;
};

inline RGBQUAD Quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }

}  // namespace gdi_test
