#include "text_render.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace artgen {

namespace {

const char kFontFolder[] = "/usr/share/fonts/truetype/dejavu/";

struct Glyph {
    int left, top;  // of the bitmap, relative to the pen on the baseline (top is upward)
    int width, rows;
    std::vector<float> coverage;
};

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "artgen: %s\n", what.c_str());
    std::exit(1);
}

Glyph CopyGlyph(FT_GlyphSlot slot) {
    const FT_Bitmap& bitmap = slot->bitmap;
    Glyph glyph{slot->bitmap_left, slot->bitmap_top, static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows), {}};
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
    for (int y = 0; y < glyph.rows; ++y)
        for (int x = 0; x < glyph.width; ++x) {
            const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
            glyph.coverage[y * glyph.width + x] = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                                      ? ((row[x / 8] >> (7 - x % 8)) & 1)
                                                      : row[x] / 255.0f;
        }
    return glyph;
}

}  // namespace

Mask RenderText(const std::string& text, const TextStyle& style) {
    FT_Library library;
    if (FT_Init_FreeType(&library)) Fail("cannot start FreeType");
    FT_Face face;
    const std::string path = kFontFolder + style.fontFile;
    if (FT_New_Face(library, path.c_str(), 0, &face)) Fail("cannot open font " + path);
    FT_Set_Pixel_Sizes(face, 0, style.pixelSize);
    const FT_Int32 loadFlags = style.crisp ? (FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) : (FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT);

    std::vector<std::pair<int, Glyph>> placed;  // pen x, glyph
    int pen = 0;
    FT_UInt previous = 0;
    for (unsigned char c : text) {
        const FT_UInt index = FT_Get_Char_Index(face, c);
        if (previous && index) {
            FT_Vector kerning;
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kerning);
            pen += static_cast<int>(kerning.x >> 6);
        }
        if (FT_Load_Glyph(face, index, loadFlags)) Fail("cannot render a glyph of " + text);
        placed.emplace_back(pen, CopyGlyph(face->glyph));
        pen += static_cast<int>(face->glyph->advance.x >> 6) + style.tracking;
        previous = index;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
    for (const auto& [x, glyph] : placed) {
        if (glyph.width == 0) continue;
        minX = std::min(minX, x + glyph.left);
        maxX = std::max(maxX, x + glyph.left + glyph.width);
        minY = std::min(minY, -glyph.top);
        maxY = std::max(maxY, -glyph.top + glyph.rows);
    }
    if (minX > maxX) return Mask(1, 1);
    Mask mask(maxX - minX + 2, maxY - minY + 2);
    for (const auto& [x, glyph] : placed)
        for (int gy = 0; gy < glyph.rows; ++gy)
            for (int gx = 0; gx < glyph.width; ++gx) {
                float& cell = mask.At(x + glyph.left + gx - minX + 1, -glyph.top + gy - minY + 1);
                cell = std::min(1.0f, cell + glyph.coverage[gy * glyph.width + gx]);
            }
    return mask;
}

}  // namespace artgen
