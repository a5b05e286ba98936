// Device-independent bitmap layouts as callers hand them over (BITMAPINFO plus
// bits), and the copying of rows between them and bitmaps.
#pragma once

#include "platform/gdi32/surface.h"

#include <cstddef>

namespace layer {

struct DibFormat {
    int width = 0;
    int height = 0;  // always positive
    bool topDown = false;
    int bitsPerPixel = 0;
    int stride = 0;
    size_t colourCount = 0;         // entries of the table that follows the header
    const RGBQUAD* colours = nullptr;
    size_t headerBytes = 0;         // header plus colour table
};

// Checks a BITMAPINFO: uncompressed, a supported depth, sane sizes. False when it is not usable.
bool ParseDibFormat(const BITMAPINFO* info, DibFormat* format);
// A surface over someone else's DIB bits (nothing is copied).
Surface DibView(const DibFormat& format, void* bits);

// Converts raw pixel values of one surface into the nearest raw values of another.
class ColourConverter {
public:
    ColourConverter(const Surface& from, const Surface& to);
    bool Identity() const { return identity_; }
    uint32_t operator()(uint32_t raw);
    void ConvertRow(uint32_t* values, int count);

private:
    const Surface& from_;
    const Surface& to_;
    bool identity_ = false;
    std::vector<uint32_t> table_;  // for palette sources: index -> target value
    uint32_t lastIn_ = 0xffffffff, lastOut_ = 0;
};

// Copies row fromY of one surface to row toY of another of the same width, converting colours.
void CopyRow(const Surface& from, int fromY, Surface& to, int toY, ColourConverter& convert);

}  // namespace layer
