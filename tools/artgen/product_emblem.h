// The product's emblem: the sun rising over a dark sea inside a round sky,
// ringed by an orbit (golden, or white in the flat style). Shared by the
// product logo and the program icon.
#pragma once

#include "image.h"

namespace artgen {

enum class EmblemStyle {
    Rich,  // smooth gradients, anti-aliased
    Flat,  // bands of the 16 standard colours, each pixel one solid colour, for icons
};

// Paints the emblem centred at (cx, cy) with the given radius (the orbit reaches
// 1.32 radii out); coverage records how much of each pixel it painted.
void PaintEmblem(RgbImage& image, Mask& coverage, float cx, float cy, float radius, EmblemStyle style);

}  // namespace artgen
