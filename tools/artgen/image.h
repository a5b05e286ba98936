// Pictures as the generator draws them: floating-point RGB, coverage masks,
// and the indexed form the bitmap and icon files store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artgen {

struct Rgb {
    float r = 0, g = 0, b = 0;  // 0..255
};

struct Rgb8 {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb8& other) const { return r == other.r && g == other.g && b == other.b; }
};

Rgb Mix(Rgb a, Rgb b, float t);
Rgb8 ToRgb8(Rgb colour);
Rgb ToRgb(Rgb8 colour);

struct RgbImage {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    RgbImage(int w, int h, Rgb fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    Rgb& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Coverage per pixel, 0..1.
struct Mask {
    int width = 0, height = 0;
    std::vector<float> values;
    Mask(int w, int h) : width(w), height(h), values(static_cast<size_t>(w) * h, 0.0f) {}
    float& At(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }
    // Outside the mask counts as uncovered.
    float Get(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : values[static_cast<size_t>(y) * width + x];
    }
};

struct IndexedImage {
    int width = 0, height = 0;
    std::vector<Rgb8> palette;
    std::vector<uint8_t> indices;  // rows top to bottom
};

// Paints over the image where the mask covers it, the mask placed at (left, top),
// in the colour shade(x, y) gives for each pixel (image coordinates).
template <typename Shade>
void PaintShaded(RgbImage& image, const Mask& mask, int left, int top, Shade shade) {
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            const int ix = left + x, iy = top + y;
            const float a = mask.Get(x, y);
            if (a <= 0 || ix < 0 || iy < 0 || ix >= image.width || iy >= image.height) continue;
            image.At(ix, iy) = Mix(image.At(ix, iy), shade(ix, iy), a);
        }
}

// Moves a mask by (dx, dy), keeping its size.
Mask Shifted(const Mask& mask, int dx, int dy);
// Turns a mask a quarter turn counter-clockwise (text then reads bottom to top).
Mask RotatedLeft(const Mask& mask);
// Coverage of a rounded rectangle, anti-aliased at the edge.
Mask RoundedBox(int width, int height, float left, float top, float right, float bottom, float radius);

}  // namespace artgen
