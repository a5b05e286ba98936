// Colour tables: the standard 16-colour display palette, nearest-colour
// lookup, and a median-cut reduction for rich pictures.
#pragma once

#include "image.h"

#include <vector>

namespace artgen {

// Black, maroon, green, olive, navy, purple, teal, silver, grey, red, lime,
// yellow, blue, fuchsia, aqua, white: the order of the 16-colour display palette.
const std::vector<Rgb8>& VgaPalette();

// The index of the palette entry closest to colour, skipping entry `skip` (-1: none).
int NearestIndex(const std::vector<Rgb8>& palette, Rgb8 colour, int skip = -1);

// Up to count colours that represent the given ones well (median cut).
std::vector<Rgb8> ReducedColours(const std::vector<Rgb8>& colours, int count);

}  // namespace artgen
