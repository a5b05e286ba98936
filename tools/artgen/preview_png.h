// PNG previews of the artwork, enlarged, for a person to look at.
#pragma once

#include "image.h"

#include <string>

namespace artgen {

void WritePreview(const std::string& path, const RgbImage& image, int scale);
RgbImage Expand(const IndexedImage& image);
// The tile repeated over a screen of the given size, as the backdrop shows it.
RgbImage Tiled(const RgbImage& tile, int width, int height);

}  // namespace artgen
