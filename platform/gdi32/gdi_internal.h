// What the window manager and the resource loaders need from the software GDI.
#pragma once

#include "platform/win32.h"

#include <cstddef>
#include <cstdint>

namespace layer {

// A 32-bit pixel buffer, 0x00RRGGBB per pixel, rows top to bottom, stride = width.
struct PixelBuffer {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

// A device context drawing into a pixel buffer (a window's backing store):
// logical (0, 0) lies at (originX, originY) of the buffer, and drawing is
// clipped to clip (buffer coordinates). Released with DeleteDC or ReleaseDC.
HDC CreateBufferDC(PixelBuffer buffer, int originX, int originY, RECT clip);
// Sets the clip of such a context to clip within the one it was created with (buffer
// coordinates), e.g. to a paint's update rectangle.
void SetBufferDCClip(HDC hdc, RECT clip);

// A bitmap made from a packed DIB (BITMAPINFOHEADER, colour table, bits), as a
// bitmap resource holds it. As a DIB section (LoadImageA with LR_CREATEDIBSECTION)
// it keeps its own depth and colour table; otherwise it becomes a bitmap
// compatible with the screen, or a monochrome one for a one-bit picture
// (LoadBitmapA). nullptr when the data is malformed.
HBITMAP CreateBitmapFromPackedDib(const void* dib, size_t size, bool dibSection);

// The dialog font: "MS Sans Serif" 8 points, mapped to a real font.
HFONT DialogFont();

// Live objects and contexts that callers created and have not released
// (stock objects not counted), to find leaks.
size_t LiveGdiObjectCount();
size_t LiveDcCount();

}  // namespace layer
