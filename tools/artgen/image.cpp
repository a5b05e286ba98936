#include "image.h"

#include <algorithm>
#include <cmath>

namespace artgen {

Rgb Mix(Rgb a, Rgb b, float t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

static uint8_t Channel(float value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

Rgb8 ToRgb8(Rgb colour) { return Rgb8{Channel(colour.r), Channel(colour.g), Channel(colour.b)}; }
Rgb ToRgb(Rgb8 colour) { return Rgb{float(colour.r), float(colour.g), float(colour.b)}; }

Mask Shifted(const Mask& mask, int dx, int dy) {
    Mask result(mask.width, mask.height);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) result.At(x, y) = mask.Get(x - dx, y - dy);
    return result;
}

Mask RotatedLeft(const Mask& mask) {
    Mask result(mask.height, mask.width);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) result.At(y, mask.width - 1 - x) = mask.Get(x, y);
    return result;
}

static float EdgeCoverage(float signedDistance) { return std::clamp(0.5f - signedDistance, 0.0f, 1.0f); }

Mask RoundedBox(int width, int height, float left, float top, float right, float bottom, float radius) {
    Mask result(width, height);
    const float cx = (left + right) / 2, cy = (top + bottom) / 2;
    const float hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float qx = std::fabs(x + 0.5f - cx) - hx, qy = std::fabs(y + 0.5f - cy) - hy;
            const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
            const float inside = std::min(std::max(qx, qy), 0.0f);
            result.At(x, y) = EdgeCoverage(outside + inside - radius);
        }
    return result;
}

}  // namespace artgen
