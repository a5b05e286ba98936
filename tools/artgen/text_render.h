// Text set with a real font through FreeType, as a coverage mask.
#pragma once

#include "image.h"

#include <string>

namespace artgen {

struct TextStyle {
    std::string fontFile;  // a file under the DejaVu folder, e.g. "DejaVuSerif-Bold.ttf"
    int pixelSize = 12;
    bool crisp = false;    // hinted one-bit glyphs instead of anti-aliased ones
    int tracking = 0;      // extra pixels between letters
};

// The text on a mask just large enough for it (ink box, with one blank pixel all round).
Mask RenderText(const std::string& text, const TextStyle& style);

}  // namespace artgen
