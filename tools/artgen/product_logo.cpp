// The product logo is drawn on pure green, which the installer keys out. Its
// soft edges are blended towards the grey dialog face it will stand on, so no
// green fringe is left around the letters.
#include "artwork.h"
#include "palette.h"
#include "product_emblem.h"
#include "text_render.h"

namespace artgen {

namespace {

constexpr int kWidth = 191, kHeight = 70;
constexpr int kKeyIndex = 127;
const Rgb8 kKeyGreen{0, 255, 0};
const Rgb kDialogFace{192, 192, 192};

// Text with a soft drop shadow and a vertical gradient from top to bottom colour.
void PaintTitle(RgbImage& image, Mask& coverage, const Mask& text, int left, int top, Rgb topColour, Rgb bottomColour) {
    const Mask shadow = Shifted(text, 2, 2);
    for (int y = 0; y < shadow.height; ++y)
        for (int x = 0; x < shadow.width; ++x) {
            const float a = shadow.Get(x, y) * 0.45f;
            const int ix = left + x, iy = top + y;
            if (a <= 0 || ix >= image.width || iy >= image.height) continue;
            image.At(ix, iy) = Mix(image.At(ix, iy), Rgb{40, 40, 48}, a);
            coverage.At(ix, iy) = std::max(coverage.At(ix, iy), a);
        }
    PaintShaded(image, text, left, top, [&](int, int y) {
        return Mix(topColour, bottomColour, float(y - top) / float(text.height));
    });
    for (int y = 0; y < text.height; ++y)
        for (int x = 0; x < text.width; ++x) {
            const int ix = left + x, iy = top + y;
            if (ix < image.width && iy < image.height)
                coverage.At(ix, iy) = std::max(coverage.At(ix, iy), text.Get(x, y));
        }
}

IndexedImage Quantise(const RgbImage& image, const Mask& coverage) {
    std::vector<Rgb8> shown;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (coverage.Get(x, y) >= 0.04f) shown.push_back(ToRgb8(image.At(x, y)));
    std::vector<Rgb8> reduced = ReducedColours(shown, 255);

    IndexedImage result{kWidth, kHeight, std::vector<Rgb8>(256, Rgb8{0, 0, 0}), {}};
    for (size_t i = 0, slot = 0; i < reduced.size(); ++i, ++slot) {
        if (slot == kKeyIndex) ++slot;
        // Only the key may be pure green, or part of the picture would vanish.
        if (reduced[i] == kKeyGreen) reduced[i].g = 254;
        result.palette[slot] = reduced[i];
    }
    result.palette[kKeyIndex] = kKeyGreen;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            result.indices.push_back(coverage.Get(x, y) < 0.04f
                                         ? kKeyIndex
                                         : NearestIndex(result.palette, ToRgb8(image.At(x, y)), kKeyIndex));
    return result;
}

}  // namespace

IndexedImage ProductLogo() {
    RgbImage image(kWidth, kHeight, kDialogFace);
    Mask coverage(kWidth, kHeight);
    PaintEmblem(image, coverage, 31, 33, 24, EmblemStyle::Rich);

    const int nameLeft = 62, nameTop = 5;
    // The largest size at which the name fits beside the emblem.
    int nameSize = 40;
    Mask name = RenderText("Tesmara", TextStyle{"DejaVuSerifCondensed-Bold.ttf", nameSize, false, 0});
    while (nameLeft + name.width + 2 > kWidth)
        name = RenderText("Tesmara", TextStyle{"DejaVuSerifCondensed-Bold.ttf", --nameSize, false, 0});
    PaintTitle(image, coverage, name, nameLeft, nameTop, Rgb{30, 60, 170}, Rgb{8, 20, 80});

    const Mask year = RenderText("98", TextStyle{"DejaVuSans-BoldOblique.ttf", 24, false, 0});
    const int yearLeft = nameLeft + name.width - year.width - 2, yearTop = nameTop + name.height + 2;
    PaintTitle(image, coverage, year, yearLeft, yearTop, Rgb{250, 150, 30}, Rgb{190, 40, 20});

    // A golden rule leads the eye from the emblem to the year.
    const Mask rule = RoundedBox(kWidth, kHeight, nameLeft + 2, yearTop + year.height / 2.0f - 1.5f,
                                 yearLeft - 6, yearTop + year.height / 2.0f + 1.0f, 1.2f);
    PaintShaded(image, rule, 0, 0, [&](int x, int) {
        return Mix(Rgb{255, 220, 110}, Rgb{200, 130, 20}, float(x - nameLeft) / float(yearLeft - nameLeft));
    });
    for (size_t i = 0; i < rule.values.size(); ++i) coverage.values[i] = std::max(coverage.values[i], rule.values[i]);
    return Quantise(image, coverage);
}

}  // namespace artgen
