// The bytes of a device-independent bitmap, shared by bitmap and icon files.
#pragma once

#include "image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

using Bytes = std::vector<uint8_t>;

void PutWord(Bytes& out, uint16_t value);
void PutDword(Bytes& out, uint32_t value);
// A BITMAPINFOHEADER; heightField is the height as stored (icons store twice the height).
void PutInfoHeader(Bytes& out, int width, int heightField, int bitsPerPixel, uint32_t imageSize, uint32_t coloursUsed);
void PutColourTable(Bytes& out, const std::vector<Rgb8>& palette);
// Packed rows of indices, bottom row first, each row padded to four bytes.
Bytes PackedRows(const IndexedImage& image, int bitsPerPixel);
void WriteFileBytes(const std::string& path, const Bytes& bytes);

}  // namespace artgen
