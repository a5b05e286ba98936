#include "palette.h"

#include <algorithm>
#include <climits>

namespace artgen {

const std::vector<Rgb8>& VgaPalette() {
    static const std::vector<Rgb8> palette = {
        {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    };
    return palette;
}

int NearestIndex(const std::vector<Rgb8>& palette, Rgb8 colour, int skip) {
    int best = -1;
    long bestDistance = LONG_MAX;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        if (i == skip) continue;
        // Weighted towards green, which the eye resolves best.
        const long dr = palette[i].r - colour.r, dg = palette[i].g - colour.g, db = palette[i].b - colour.b;
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

namespace {

using Box = std::vector<Rgb8>;

int Spread(const Box& box, int channel) {
    int low = 255, high = 0;
    for (const Rgb8& c : box) {
        const int v = channel == 0 ? c.r : channel == 1 ? c.g : c.b;
        low = std::min(low, v);
        high = std::max(high, v);
    }
    return high - low;
}

Rgb8 Average(const Box& box) {
    long r = 0, g = 0, b = 0;
    for (const Rgb8& c : box) {
        r += c.r;
        g += c.g;
        b += c.b;
    }
    const long n = static_cast<long>(box.size());
    return Rgb8{uint8_t((r + n / 2) / n), uint8_t((g + n / 2) / n), uint8_t((b + n / 2) / n)};
}

}  // namespace

std::vector<Rgb8> ReducedColours(const std::vector<Rgb8>& colours, int count) {
    std::vector<Box> boxes{colours};
    while (static_cast<int>(boxes.size()) < count) {
        // Split the box with the widest channel, weighted by how many pixels it holds.
        int chosen = -1, chosenChannel = 0;
        long chosenScore = 0;
        for (int i = 0; i < static_cast<int>(boxes.size()); ++i)
            for (int channel = 0; channel < 3; ++channel) {
                const long score = static_cast<long>(Spread(boxes[i], channel)) * static_cast<long>(boxes[i].size());
                if (boxes[i].size() > 1 && score > chosenScore) {
                    chosenScore = score;
                    chosen = i;
                    chosenChannel = channel;
                }
            }
        if (chosen < 0) break;
        Box& box = boxes[chosen];
        std::stable_sort(box.begin(), box.end(), [chosenChannel](const Rgb8& a, const Rgb8& b) {
            return chosenChannel == 0 ? a.r < b.r : chosenChannel == 1 ? a.g < b.g : a.b < b.b;
        });
        Box upper(box.begin() + box.size() / 2, box.end());
        box.resize(box.size() / 2);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb8> result;
    for (const Box& box : boxes) result.push_back(Average(box));
    return result;
}

}  // namespace artgen
