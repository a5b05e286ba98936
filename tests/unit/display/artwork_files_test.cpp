#include "unit/display/res_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

struct Colour {
    uint8_t r, g, b;
    bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A bitmap file read as the loaders see it.
struct Dib {
    int width = 0, height = 0, bitsPerPixel = 0, compression = -1;
    std::vector<Colour> table;
    std::vector<uint32_t> pixels;  // colour-table indices, or 0x00RRGGBB at 24 bits; top row first
};

Dib ReadBmp(const std::string& name) {
    const Bytes file = ReadResFile(name);
    Dib dib;
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return dib;
    const uint32_t bitsOffset = Dword(file, 10);
    dib.width = Long(file, 18);
    dib.height = Long(file, 22);
    dib.bitsPerPixel = Word(file, 28);
    dib.compression = static_cast<int>(Dword(file, 30));
    uint32_t entries = Dword(file, 46);
    if (entries == 0 && dib.bitsPerPixel <= 8) entries = 1u << dib.bitsPerPixel;
    for (uint32_t i = 0; i < entries; ++i) {
        const size_t at = 14 + Dword(file, 14) + 4 * i;
        dib.table.push_back(Colour{file.at(at + 2), file.at(at + 1), file.at(at)});
    }
    const size_t stride = ((static_cast<size_t>(dib.width) * dib.bitsPerPixel + 31) / 32) * 4;
    for (int y = 0; y < dib.height; ++y) {
        const size_t row = bitsOffset + (dib.height - 1 - y) * stride;
        for (int x = 0; x < dib.width; ++x) {
            if (dib.bitsPerPixel == 24) {
                const size_t at = row + 3 * x;
                dib.pixels.push_back(file.at(at + 2) << 16 | file.at(at + 1) << 8 | file.at(at));
            } else {
                const size_t bit = static_cast<size_t>(x) * dib.bitsPerPixel;
                const int shift = 8 - dib.bitsPerPixel - static_cast<int>(bit % 8);
                dib.pixels.push_back((file.at(row + bit / 8) >> shift) & ((1u << dib.bitsPerPixel) - 1));
            }
        }
    }
    return dib;
}

double ShareOfPixels(const Dib& dib, std::initializer_list<uint32_t> indices) {
    size_t count = 0;
    for (uint32_t p : dib.pixels)
        for (uint32_t i : indices) count += p == i;
    return static_cast<double>(count) / dib.pixels.size();
}

TEST(ArtworkFiles, BitmapsHaveTheirSizesAndDepths) {
    struct Expected {
        const char* file;
        int width, height, bitsPerPixel;
        size_t tableEntries;
    };
    for (const Expected& e : {Expected{"vintlogo.bmp", 70, 217, 8, 256}, Expected{"tesmaralogo.bmp", 191, 70, 8, 256},
                              Expected{"vintbg.bmp", 128, 128, 4, 16}, Expected{"vintbgtc.bmp", 256, 256, 24, 0}}) {
        SCOPED_TRACE(e.file);
        const Dib dib = ReadBmp(e.file);
        EXPECT_EQ(dib.width, e.width);
        EXPECT_EQ(dib.height, e.height);
        EXPECT_EQ(dib.bitsPerPixel, e.bitsPerPixel);
        EXPECT_EQ(dib.compression, 0);  // BI_RGB
        EXPECT_EQ(dib.table.size(), e.tableEntries);
    }
}

TEST(ArtworkFiles, MakerLogoIsDrawnInTheThreeButtonGreys) {
    const Dib logo = ReadBmp("vintlogo.bmp");
    ASSERT_EQ(logo.table.size(), 256u);
    const std::map<int, Colour> greys = {{128, {128, 128, 128}}, {192, {192, 192, 192}}, {255, {255, 255, 255}}};
    for (const auto& [index, grey] : greys) EXPECT_EQ(logo.table[index], grey) << "entry " << index;
    for (int i = 0; i < 256; ++i) {
        if (greys.count(i)) continue;
        for (const auto& [index, grey] : greys) EXPECT_FALSE(logo.table[i] == grey) << "entry " << i << " repeats " << index;
    }
    EXPECT_GT(ShareOfPixels(logo, {128, 192, 255}), 0.95);
    EXPECT_GT(ShareOfPixels(logo, {128}), 0.05) << "the logo needs its shadow grey to show";
    EXPECT_GT(ShareOfPixels(logo, {255}), 0.05) << "the logo needs its highlight grey to show";
}

TEST(ArtworkFiles, ProductLogoStandsOnItsOnlyPureGreen) {
    const Dib logo = ReadBmp("tesmaralogo.bmp");
    ASSERT_EQ(logo.table.size(), 256u);
    const Colour green{0, 255, 0};
    EXPECT_EQ(logo.table[127], green);
    for (int i = 0; i < 256; ++i) {
        if (i != 127) {
            EXPECT_FALSE(logo.table[i] == green) << "entry " << i;
        }
    }
    // Background: the corners and a good part of the area; picture: the rest.
    for (size_t corner : {size_t{0}, size_t{190}, size_t{191 * 69}, size_t{191 * 70 - 1}}) EXPECT_EQ(logo.pixels[corner], 127u);
    const double background = ShareOfPixels(logo, {127});
    EXPECT_GT(background, 0.2);
    EXPECT_LT(background, 0.8);
}

TEST(ArtworkFiles, SixteenColourTileUsesTheStandardPalette) {
    const Dib tile = ReadBmp("vintbg.bmp");
    const std::vector<Colour> standard = {
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0}, {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
        {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    ASSERT_EQ(tile.table.size(), standard.size());
    for (size_t i = 0; i < standard.size(); ++i) EXPECT_EQ(tile.table[i], standard[i]) << "entry " << i;
}

TEST(ArtworkFiles, TilesRepeatWithoutASeam) {
    // Neighbouring tiles meet edge to edge: the colour step across a tile's edge
    // is no larger than the steps inside the tile.
    for (const char* name : {"vintbg.bmp", "vintbgtc.bmp"}) {
        SCOPED_TRACE(name);
        const Dib tile = ReadBmp(name);
        ASSERT_FALSE(tile.pixels.empty());
        auto differs = [&](int x1, int y1, int x2, int y2) {
            return tile.pixels[y1 * tile.width + x1] != tile.pixels[y2 * tile.width + x2];
        };
        int seam = 0, inside = 0;
        for (int i = 0; i < tile.height; ++i) {
            seam += differs(tile.width - 1, i, 0, i) + differs(i, tile.height - 1, i, 0);
            inside += differs(tile.width / 2 - 1, i, tile.width / 2, i) + differs(i, tile.height / 2 - 1, i, tile.height / 2);
        }
        EXPECT_LE(seam, inside + tile.width / 8);
    }
}

TEST(ArtworkFiles, IconHoldsSixteenColourImagesWithMasks) {
    const Bytes icon = ReadResFile("aamain.ico");
    ASSERT_GE(icon.size(), 6u);
    EXPECT_EQ(Word(icon, 2), 1);  // an icon, not a cursor
    ASSERT_EQ(Word(icon, 4), 2);
    std::vector<int> sizes;
    for (int i = 0; i < 2; ++i) {
        const size_t entry = 6 + 16 * i;
        const int size = icon[entry];
        sizes.push_back(size);
        EXPECT_EQ(icon[entry + 1], size);
        EXPECT_EQ(Word(icon, entry + 6), 4) << "bits per pixel";
        const uint32_t bytes = Dword(icon, entry + 8), offset = Dword(icon, entry + 12);
        ASSERT_LE(offset + bytes, icon.size());
        EXPECT_EQ(Long(icon, offset + 4), size);
        EXPECT_EQ(Long(icon, offset + 8), 2 * size) << "colour rows and mask rows";
        EXPECT_EQ(Word(icon, offset + 14), 4);
        const uint32_t colourBits = size * size / 2, maskBits = size * ((size + 31) / 32 * 4);
        EXPECT_EQ(bytes, 40 + 16 * 4 + colourBits + maskBits);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 32}));
}

}  // namespace
