// The backdrop tiles: the maker's mark pressed faintly into a deep blue field,
// on a diamond lattice that repeats every 128 pixels, so both tiles meet their
// neighbours without a seam. Light falls from the upper left.
#include "artwork.h"
#include "palette.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

constexpr int kPeriod = 128;
constexpr float kRingOuter = 21, kRingInner = 17.5f;

float Smooth(float edgeDistance) { return std::clamp(0.5f - edgeDistance, 0.0f, 1.0f); }

// Height of the relief at a point given relative to the nearest mark's centre.
float MarkHeight(float u, float v) {
    const float r = std::hypot(u, v);
    float height = Smooth(std::max(r - kRingOuter, kRingInner - r));
    // The V: two strokes meeting below the centre.
    const float top = -9, bottom = 9;
    if (v >= top - 1 && v <= bottom + 1) {
        const float along = std::clamp((bottom - v) / (bottom - top), 0.0f, 1.0f);
        const float armX = along * 8.5f;
        const float halfStroke = 1.6f + along * 1.2f;
        const float stroke = Smooth(std::abs(std::abs(u) - armX) - halfStroke);
        const float ends = Smooth(std::max(top - v, v - bottom));
        height = std::max(height, std::min(stroke, ends));
    }
    return height;
}

// Relief height at (x, y) of the endless plane: marks at the corners and the centre of every period cell.
float Relief(float x, float y) {
    float best = 0;
    for (float cy : {0.0f, kPeriod / 2.0f, float(kPeriod)})
        for (float cx : {0.0f, kPeriod / 2.0f, float(kPeriod)}) {
            const bool corner = cx != kPeriod / 2.0f && cy != kPeriod / 2.0f;
            const bool centre = cx == kPeriod / 2.0f && cy == kPeriod / 2.0f;
            if (!corner && !centre) continue;
            const float px = std::fmod(x, float(kPeriod)), py = std::fmod(y, float(kPeriod));
            best = std::max(best, MarkHeight(px - cx, py - cy));
        }
    return best;
}

// The relief lit from the upper left: positive on faces turned to the light, negative away from it.
float Light(int x, int y) {
    // Sampled a period away from the origin so the wrap-around stays positive.
    const float fx = x + 0.5f + kPeriod, fy = y + 0.5f + kPeriod;
    return Relief(fx - 1, fy - 1) - Relief(fx + 1, fy + 1);
}

}  // namespace

RgbImage BackdropTileTrueColour() {
    const int size = 2 * kPeriod;
    RgbImage tile(size, size, Rgb{});
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // A faint diagonal sheen across each cell keeps the field from looking flat.
            const float sheen = std::cos((x + y) * 2 * float(M_PI) / kPeriod) * 3.0f;
            const Rgb base{18 + sheen * 0.5f, 44 + sheen, 112 + sheen * 2};
            const float light = Light(x, y);
            tile.At(x, y) = light >= 0 ? Mix(base, Rgb{90, 130, 210}, light * 0.32f)
                                       : Mix(base, Rgb{4, 12, 48}, -light * 0.42f);
        }
    return tile;
}

IndexedImage BackdropTile16() {
    constexpr uint8_t kBlack = 0, kNavy = 4, kBlue = 12;
    IndexedImage tile{kPeriod, kPeriod, VgaPalette(), {}};
    for (int y = 0; y < kPeriod; ++y)
        for (int x = 0; x < kPeriod; ++x) {
            const float light = Light(x, y);
            tile.indices.push_back(light > 0.3f ? kBlue : light < -0.5f ? kBlack : kNavy);
        }
    return tile;
}

}  // namespace artgen
