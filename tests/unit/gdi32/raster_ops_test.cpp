#include "unit/gdi32/gdi_test_support.h"

#include "platform/gdi32/raster_ops.h"

using gdi_test::DibCanvas;

namespace {

// With pattern 0xF0, source 0xCC and destination 0xAA in every byte, the result of a
// ternary raster operation is its own code: the identity that defines the codes.
TEST(RasterOps, EveryCodeThroughBitBltOnTrueColour) {
    DibCanvas source(1, 1, 24), dest(1, 1, 24);
    HBRUSH brush = CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0));
    HGDIOBJ oldBrush = SelectObject(dest.dc, brush);
    SetPixel(source.dc, 0, 0, RGB(0xCC, 0xCC, 0xCC));
    for (int code = 0; code < 256; ++code) {
        SetPixel(dest.dc, 0, 0, RGB(0xAA, 0xAA, 0xAA));
        ASSERT_TRUE(BitBlt(dest.dc, 0, 0, 1, 1, source.dc, 0, 0, DWORD(code) << 16));
        EXPECT_EQ(GetPixel(dest.dc, 0, 0), RGB(code, code, code)) << "code " << code;
    }
    SelectObject(dest.dc, oldBrush);
    DeleteObject(brush);
}

TEST(RasterOps, UseOfOperandsFollowsTheCode) {
    struct Case { uint8_t code; bool source, pattern, dest; } cases[] = {
        {0xCC, true, false, false},  {0xF0, false, true, false}, {0x55, false, false, true},
        {0x88, true, false, true},   {0x5A, false, true, true},  {0x00, false, false, false},
        {0xB8, true, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(layer::RopUsesSource(c.code), c.source) << int(c.code);
        EXPECT_EQ(layer::RopUsesPattern(c.code), c.pattern) << int(c.code);
        EXPECT_EQ(layer::RopUsesDestination(c.code), c.dest) << int(c.code);
    }
}

TEST(RasterOps, PaletteDestinationsCombineIndexes) {
    // On a palette bitmap the operation works on the indexes, as on a palette device.
    std::vector<RGBQUAD> table(16);
    for (int i = 0; i < 16; ++i) table[size_t(i)] = gdi_test::Quad(BYTE(i * 16), 0, 0);
    DibCanvas dest(2, 1, 4, table);
    dest.bits[0] = 0x3C;  // indexes 3 and 12
    ASSERT_TRUE(PatBlt(dest.dc, 0, 0, 2, 1, DSTINVERT));
    EXPECT_EQ(dest.bits[0], 0xC3);
}

TEST(RasterOps, PatBltWithTheHollowBrushDrawsNothing) {
    DibCanvas dest(2, 2, 32);
    std::memset(dest.bits, 0x11, 16);
    SelectObject(dest.dc, GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(PatBlt(dest.dc, 0, 0, 2, 2, PATCOPY));
    EXPECT_EQ(dest.bits[0], 0x11);
    EXPECT_FALSE(PatBlt(dest.dc, 0, 0, 2, 2, SRCCOPY));  // needs a source
}

}  // namespace
