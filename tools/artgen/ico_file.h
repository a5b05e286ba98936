// Icon files: several 16-colour images, each with its transparency (AND) mask.
#pragma once

#include "image.h"

#include <string>
#include <vector>

namespace artgen {

struct IconImage {
    IndexedImage colours;             // 16-entry palette, 4 bits per pixel
    std::vector<uint8_t> transparent; // 1 where the desktop shows through, per pixel
};

void WriteIcon(const std::string& path, const std::vector<IconImage>& images);

}  // namespace artgen
