// Real glyphs for the GDI's fonts: every face is served by DejaVu Sans through
// FreeType, rendered in one bit per pixel (no anti-aliasing), cached per size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace layer {

struct Glyph {
    int left = 0;      // from the pen position to the first column
    int top = 0;       // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    int advance = 0;   // pen movement in pixels
    std::vector<uint8_t> bits;  // rows of width bytes, 1 = ink

    bool Ink(int x, int y) const { return bits[size_t(y) * size_t(width) + size_t(x)] != 0; }
};

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int averageWidth = 0;
    int maxWidth = 0;
};

class FontInstance {
public:
    virtual ~FontInstance() = default;
    virtual const FontMetrics& Metrics() const = 0;
    // The glyph of an ANSI (Windows-1252) character.
    virtual const Glyph& GlyphOf(unsigned char c) = 0;
};

// The instance for an em height in pixels; nullptr when the font files cannot be read.
FontInstance* FontFor(int pixelSize, bool bold);
// The em height whose cell (ascent + descent) is closest to cellHeight.
int EmForCellHeight(int cellHeight, bool bold);

}  // namespace layer
