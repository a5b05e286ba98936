// The installer's pictures, each drawn by one function.
#pragma once

#include "ico_file.h"
#include "image.h"

#include <vector>

namespace artgen {

// The maker's logo, upright, embossed in the three button greys (70 x 217, 256 colours).
IndexedImage MakerLogo();
// The product's logo on a pure green background that is keyed out (191 x 70, 256 colours).
IndexedImage ProductLogo();
// The backdrop tiles: 16 colours (128 x 128) and true colour (256 x 256).
IndexedImage BackdropTile16();
RgbImage BackdropTileTrueColour();
// The program icon at 32 x 32 and 16 x 16, 16 colours each.
std::vector<IconImage> ProgramIcon();

}  // namespace artgen
