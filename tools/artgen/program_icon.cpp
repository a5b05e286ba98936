// The program icon: the product emblem in the 16 standard colours, each
// pixel solid, since dithering would only blur so few pixels.
#include "artwork.h"
#include "palette.h"
#include "product_emblem.h"

namespace artgen {

namespace {

IconImage EmblemIcon(int size) {
    RgbImage image(size, size, Rgb{0, 0, 0});
    Mask coverage(size, size);
    // The orbit reaches 1.32 radii out; keep it inside the square.
    PaintEmblem(image, coverage, size / 2.0f, size / 2.0f, size / 2.0f / 1.34f, EmblemStyle::Flat);
    IconImage icon{IndexedImage{size, size, VgaPalette(), {}}, {}};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool shown = coverage.Get(x, y) >= 0.5f;
            const Rgb8 colour = ToRgb8(image.At(x, y));
            icon.colours.indices.push_back(static_cast<uint8_t>(shown ? NearestIndex(icon.colours.palette, colour) : 0));
            icon.transparent.push_back(shown ? 0 : 1);
        }
    return icon;
}

}  // namespace

std::vector<IconImage> ProgramIcon() { return {EmblemIcon(32), EmblemIcon(16)}; }

}  // namespace artgen
