// Pixel storage shared by bitmaps, DIB sections and buffer contexts, with the
// conversions between colours and the raw pixel values of each depth.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <vector>

namespace layer {

struct Surface {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;       // 1, 4, 8, 16 (5-5-5), 24 or 32
    int stride = 0;             // bytes per row, a multiple of 4
    bool topDown = true;        // false: the first row in memory is the bottom one
    uint8_t* bits = nullptr;    // storage.data() or memory owned by someone else
    std::vector<uint8_t> storage;
    std::vector<RGBQUAD> colours;  // the colour table, for 8 bits per pixel or fewer

    uint8_t* Row(int y) const { return bits + size_t(topDown ? y : height - 1 - y) * size_t(stride); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// Bytes per row of a DIB (rows padded to 4 bytes); 0 when the size is absurd.
int DibStride(int width, int bitsPerPixel);
// Sets up a surface with its own zeroed storage; false when the size is too large.
bool AllocateSurface(Surface* surface, int width, int height, int bitsPerPixel, bool topDown);
// The table a device-dependent bitmap of this depth uses (black/white, the 16 VGA colours, ...).
std::vector<RGBQUAD> DefaultColourTable(int bitsPerPixel);

uint32_t ReadPixel(const Surface& surface, int x, int y);
void WritePixel(Surface& surface, int x, int y, uint32_t raw);
// Raw values of count pixels from (x, y) rightwards; the range must lie inside the surface.
void ReadRow(const Surface& surface, int x, int y, int count, uint32_t* out);
void WriteRow(Surface& surface, int x, int y, int count, const uint32_t* in);

// Sets every pixel of rect (inside the surface) to one raw value.
void FillSurfaceRect(Surface& surface, const RECT& rect, uint32_t raw);

// 0x00BBGGRR colour of a raw pixel value, and the raw value nearest to a colour.
COLORREF RawToColour(const Surface& surface, uint32_t raw);
uint32_t ColourToRaw(const Surface& surface, COLORREF colour);

}  // namespace layer
