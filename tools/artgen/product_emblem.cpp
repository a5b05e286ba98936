#include "product_emblem.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace artgen {

namespace {

struct Sample {
    Rgb colour;
    float alpha = 0;
};

constexpr float kHorizon = 0.28f;   // below the centre, in radii
constexpr float kSunRadius = 0.38f;
constexpr float kOrbitTilt = -0.35f;  // radians
constexpr float kOrbitA = 1.32f, kOrbitB = 0.36f;

// Distance from the orbit's centre line, in radii, and whether the point is on its near half.
float OrbitDistance(float u, float v, bool* nearHalf) {
    const float c = std::cos(kOrbitTilt), s = std::sin(kOrbitTilt);
    const float ou = u * c + v * s, ov = -u * s + v * c;
    *nearHalf = ov > 0;
    const float k = std::hypot(ou / kOrbitA, ov / kOrbitB);
    return std::abs(k - 1) * kOrbitB;
}

// Rich style blends; flat style steps from one colour to the other halfway.
Rgb Shade(Rgb a, Rgb b, float t, EmblemStyle style) {
    t = std::clamp(t, 0.0f, 1.0f);
    if (style == EmblemStyle::Flat) return t < 0.5f ? a : b;
    return Mix(a, b, t);
}

Rgb SkyAt(float u, float v, EmblemStyle style) {
    const bool rich = style == EmblemStyle::Rich;
    const float sun = std::hypot(u, v - kHorizon);
    if (sun < kSunRadius) return rich ? Mix(Rgb{255, 236, 120}, Rgb{255, 150, 30}, sun / kSunRadius) : Rgb{255, 255, 0};
    // Night blue at the top warming to dawn at the horizon.
    const float t = (v + 1) / (1 + kHorizon);
    if (!rich) return t < 0.45f ? Rgb{0, 0, 128} : t < 0.9f ? Rgb{0, 0, 255} : Rgb{255, 0, 0};
    Rgb colour = t < 0.6f ? Mix(Rgb{16, 32, 110}, Rgb{60, 110, 210}, t / 0.6f)
                          : Mix(Rgb{60, 110, 210}, Rgb{250, 170, 90}, (t - 0.6f) / 0.4f);
    if (sun < kSunRadius * 1.6f)
        colour = Mix(colour, Rgb{255, 200, 100}, 0.5f * (1 - (sun - kSunRadius) / (kSunRadius * 0.6f)));
    return colour;
}

Rgb SeaAt(float u, float v, float radius, EmblemStyle style) {
    const float t = (v - kHorizon) / (1 - kHorizon);
    Rgb colour = Shade(Rgb{0, 128, 128}, Rgb{0, 0, 128}, t, style);
    if (style == EmblemStyle::Rich) colour = Mix(Rgb{0, 96, 120}, Rgb{0, 40, 72}, t);
    // The sun's path glittering across the water, in bands a few pixels apart;
    // too small an emblem has no room for it.
    if (radius < 8) return colour;
    const float bandsPerRadius = std::min(14.0f, radius / 2.5f);
    const float band = std::fmod((v - kHorizon) * bandsPerRadius, 1.0f);
    if (std::abs(u) < kSunRadius * (1 - 0.5f * t) && band < 0.45f)
        colour = style == EmblemStyle::Rich ? Mix(colour, Rgb{255, 200, 80}, 0.85f - 0.5f * t) : Rgb{255, 255, 0};
    return colour;
}

// The emblem at one point, u and v in radii from the centre (v downwards).
Sample EmblemAt(float u, float v, float radius, EmblemStyle style) {
    const float r = std::hypot(u, v);
    const float pixel = 1 / radius;
    Sample result;
    if (r <= 1) {
        Rgb colour = v < kHorizon ? SkyAt(u, v, style) : SeaAt(u, v, radius, style);
        // A dark rim, with a light edge on the upper left, gives the sphere its shape.
        const float rimWidth = std::max(0.1f, 1.2f * pixel);
        if (r > 1 - rimWidth) colour = Shade(colour, Rgb{10, 20, 60}, (r - 1 + rimWidth) / rimWidth * 0.8f, style);
        if (style == EmblemStyle::Rich && r > 0.82f && r < 0.9f && u + v < -0.9f)
            colour = Mix(colour, Rgb{255, 255, 255}, 0.35f);
        if (style == EmblemStyle::Flat && r > 1 - rimWidth) colour = Rgb{0, 0, 0};
        result = Sample{colour, 1};
    }
    bool nearHalf = false;
    const float halfWidth = std::max(0.07f, 0.9f * pixel);
    const float d = OrbitDistance(u, v, &nearHalf);
    if (d < halfWidth && (nearHalf || r > 1)) {
        const float light = 1 - d / halfWidth;
        result = Sample{style == EmblemStyle::Rich ? Mix(Rgb{170, 110, 10}, Rgb{255, 230, 120}, light)
                                                   : (nearHalf ? Rgb{255, 255, 255} : Rgb{192, 192, 192}),
                        1};
    }
    return result;
}

}  // namespace

void PaintEmblem(RgbImage& image, Mask& coverage, float cx, float cy, float radius, EmblemStyle style) {
    constexpr int kSub = 4;
    const int reach = static_cast<int>(std::ceil(radius * kOrbitA * 1.1f));
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
            Rgb sum{};
            float alpha = 0;
            // Flat pixels take the colour most of their samples have, never an in-between one.
            std::map<std::tuple<float, float, float>, int> votes;
            for (int sy = 0; sy < kSub; ++sy)
                for (int sx = 0; sx < kSub; ++sx) {
                    const float px = x + (sx + 0.5f) / kSub, py = y + (sy + 0.5f) / kSub;
                    const Sample s = EmblemAt((px - cx) / radius, (py - cy) / radius, radius, style);
                    if (s.alpha <= 0) continue;
                    sum.r += s.colour.r;
                    sum.g += s.colour.g;
                    sum.b += s.colour.b;
                    alpha += s.alpha;
                    ++votes[{s.colour.r, s.colour.g, s.colour.b}];
                }
            if (alpha <= 0) continue;
            Rgb colour{sum.r / alpha, sum.g / alpha, sum.b / alpha};
            if (style == EmblemStyle::Flat) {
                const auto winner = std::max_element(votes.begin(), votes.end(),
                                                     [](const auto& a, const auto& b) { return a.second < b.second; });
                colour = Rgb{std::get<0>(winner->first), std::get<1>(winner->first), std::get<2>(winner->first)};
            }
            const float a = alpha / (kSub * kSub);
            image.At(x, y) = Mix(image.At(x, y), colour, style == EmblemStyle::Flat ? 1.0f : a);
            coverage.At(x, y) = std::max(coverage.At(x, y), a);
        }
}

}  // namespace artgen
