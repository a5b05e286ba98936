#include "platform/gdi32/font_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <map>
#include <memory>

namespace layer {
namespace {

// Liberation Sans has the widths of the sans-serif faces dialogs were laid out
// for; DejaVu Sans, wider, is the fallback.
const char* const kRegularFiles[] = {"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
                                     "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};
const char* const kBoldFiles[] = {"/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
                                  "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};

// Windows-1252 characters 0x80..0x9F; the rest of the code page is Latin-1.
const uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

uint32_t ToUnicode(unsigned char c) { return (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : c; }

FT_Face LoadFace(bool bold) {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        return FT_Init_FreeType(&lib) == 0 ? lib : nullptr;
    }();
    static FT_Face faces[2] = {};
    static bool tried[2] = {};
    int which = bold ? 1 : 0;
    if (!tried[which] && library) {
        tried[which] = true;
        for (const char* file : bold ? kBoldFiles : kRegularFiles) {
            if (FT_New_Face(library, file, 0, &faces[which]) == 0) break;
            faces[which] = nullptr;
        }
    }
    return faces[which];
}

// The vertical extent Windows uses: the OS/2 table's win ascent and descent.
void WinExtent(FT_Face face, double* ascent, double* descent) {
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    *ascent = os2 ? os2->usWinAscent : face->ascender;
    *descent = os2 ? os2->usWinDescent : -face->descender;
}

class FreeTypeFont : public FontInstance {
public:
    FreeTypeFont(FT_Face face, int pixelSize) : face_(face), pixelSize_(pixelSize) {
        double ascent, descent, em = face->units_per_EM;
        WinExtent(face, &ascent, &descent);
        metrics_.ascent = int(std::lround(ascent * pixelSize / em));
        metrics_.descent = int(std::lround(descent * pixelSize / em));
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        double average = os2 ? os2->xAvgCharWidth : face->max_advance_width / 2.0;
        metrics_.averageWidth = int(std::lround(average * pixelSize / em));
        metrics_.maxWidth = int(std::lround(face->max_advance_width * double(pixelSize) / em));
    }

    const FontMetrics& Metrics() const override { return metrics_; }

    const Glyph& GlyphOf(unsigned char c) override {
        std::unique_ptr<Glyph>& slot = glyphs_[c];
        if (!slot) slot = Render(c);
        return *slot;
    }

private:
    std::unique_ptr<Glyph> Render(unsigned char c) {
        auto glyph = std::make_unique<Glyph>();
        FT_Set_Pixel_Sizes(face_, 0, FT_UInt(pixelSize_));
        if (FT_Load_Char(face_, ToUnicode(c), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return glyph;
        FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph->left = slot->bitmap_left;
        glyph->top = slot->bitmap_top;
        glyph->advance = int((slot->advance.x + 32) >> 6);
        if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return glyph;
        glyph->width = int(bitmap.width);
        glyph->rows = int(bitmap.rows);
        glyph->bits.resize(size_t(glyph->width) * size_t(glyph->rows));
        for (int y = 0; y < glyph->rows; ++y) {
            const uint8_t* row = bitmap.buffer + y * bitmap.pitch;
            for (int x = 0; x < glyph->width; ++x)
                glyph->bits[size_t(y) * size_t(glyph->width) + size_t(x)] = (row[x >> 3] >> (7 - (x & 7))) & 1;
        }
        return glyph;
    }

    FT_Face face_;
    int pixelSize_;
    FontMetrics metrics_;
    std::unique_ptr<Glyph> glyphs_[256];
};

}  // namespace

FontInstance* FontFor(int pixelSize, bool bold) {
    static std::map<std::pair<int, bool>, std::unique_ptr<FontInstance>> instances;
    std::unique_ptr<FontInstance>& slot = instances[{pixelSize, bold}];
    if (!slot) {
        FT_Face face = LoadFace(bold);
        if (!face) return nullptr;
        slot = std::make_unique<FreeTypeFont>(face, pixelSize);
    }
    return slot.get();
}

int EmForCellHeight(int cellHeight, bool bold) {
    FT_Face face = LoadFace(bold);
    if (!face) return cellHeight;
    double ascent, descent;
    WinExtent(face, &ascent, &descent);
    long em = std::lround(cellHeight * face->units_per_EM / (ascent + descent));
    return em < 1 ? 1 : int(em);
}

}  // namespace layer
