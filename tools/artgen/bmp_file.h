// Windows bitmap files (BITMAPFILEHEADER, BITMAPINFOHEADER, colour table, bits).
#pragma once

#include "image.h"

#include <string>

namespace artgen {

// An indexed picture at 4 or 8 bits per pixel; the colour table has as many
// entries as the palette.
void WriteIndexedBmp(const std::string& path, const IndexedImage& image, int bitsPerPixel);
// A 24-bit picture without a colour table.
void WriteTrueColourBmp(const std::string& path, const RgbImage& image);

}  // namespace artgen
