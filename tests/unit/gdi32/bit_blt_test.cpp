#include "unit/gdi32/gdi_test_support.h"

#include "platform/gdi32/gdi_internal.h"

#include <climits>

using gdi_test::DdbCanvas;
using gdi_test::DibCanvas;
using gdi_test::Quad;

namespace {

TEST(BitBlt, ColourConversionsBetweenDepths) {
    // A 4-bit picture with a table of its own, copied to true colour and to a
    // 1-bit section with another table (nearest colour).
    std::vector<RGBQUAD> table = {Quad(0, 0, 0), Quad(200, 10, 10), Quad(10, 200, 10), Quad(250, 250, 250)};
    DibCanvas picture(4, 1, 4, table);
    picture.bits[0] = 0x01;
    picture.bits[1] = 0x23;
    DibCanvas trueColour(4, 1, 32);
    ASSERT_TRUE(BitBlt(trueColour.dc, 0, 0, 4, 1, picture.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(trueColour.dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(trueColour.dc, 1, 0), RGB(200, 10, 10));
    EXPECT_EQ(GetPixel(trueColour.dc, 3, 0), RGB(250, 250, 250));
    DibCanvas twoColours(4, 1, 1, {Quad(255, 0, 0), Quad(255, 255, 255)});
    ASSERT_TRUE(BitBlt(twoColours.dc, 0, 0, 4, 1, trueColour.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(twoColours.bits[0] >> 4, 0x1);  // black, red-ish, green-ish nearest red; white-ish white
}

TEST(BitBlt, SixteenBitKeepsFiveBitsPerChannel) {
    DibCanvas sixteen(1, 1, 16), back(1, 1, 32);
    SetPixel(sixteen.dc, 0, 0, RGB(0xFF, 0x84, 0x07));
    BitBlt(back.dc, 0, 0, 1, 1, sixteen.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(back.dc, 0, 0), RGB(0xFF, 0x84, 0x00));
}

TEST(BitBlt, OverlappingCopiesWithinOneBitmap) {
    struct Case { int dx, dy; } cases[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}};
    for (const Case& c : cases) {
        for (int depth : {8, 32}) {
            std::vector<RGBQUAD> grey(256);
            for (int i = 0; i < 256; ++i) grey[size_t(i)] = Quad(BYTE(i), BYTE(i), BYTE(i));
            DibCanvas canvas(4, 4, depth, depth == 8 ? grey : std::vector<RGBQUAD>());
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) SetPixel(canvas.dc, x, y, RGB(x * 10 + y, x * 10 + y, x * 10 + y));
            ASSERT_TRUE(BitBlt(canvas.dc, 1 + c.dx, 1 + c.dy, 2, 2, canvas.dc, 1, 1, SRCCOPY));
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 2; ++x) {
                    BYTE v = BYTE((x + 1) * 10 + y + 1);
                    EXPECT_EQ(GetPixel(canvas.dc, 1 + c.dx + x, 1 + c.dy + y), RGB(v, v, v))
                        << "shift " << c.dx << "," << c.dy << " depth " << depth;
                }
        }
    }
}

TEST(BitBlt, OverlappingCopiesBetweenContextsOfOneBuffer) {
    // Two window contexts over one screen buffer: moving a band up must read each row before it is overwritten.
    std::vector<uint32_t> pixels(4 * 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x) pixels[size_t(y * 4 + x)] = uint32_t(y);
    layer::PixelBuffer buffer{pixels.data(), 4, 6};
    HDC upper = layer::CreateBufferDC(buffer, 0, 0, RECT{0, 0, 4, 6});
    HDC lower = layer::CreateBufferDC(buffer, 0, 0, RECT{0, 0, 4, 6});
    ASSERT_TRUE(BitBlt(lower, 0, 2, 4, 4, upper, 0, 1, SRCCOPY));   // down by one
    ASSERT_TRUE(BitBlt(upper, 0, 0, 4, 4, lower, 0, 2, SRCAND));    // up by two, combining
    const uint32_t expected[6] = {0 & 1, 1 & 2, 1 & 3, 2 & 4, 3, 4};  // after the first copy: 0 1 1 2 3 4
    for (int y = 0; y < 6; ++y) EXPECT_EQ(pixels[size_t(y * 4 + 3)], expected[y]) << y;
    DeleteDC(upper);
    DeleteDC(lower);
}

TEST(BitBlt, ClipsToDestinationClipAndSourceBounds) {
    DibCanvas source(4, 4, 32), dest(8, 8, 32);
    PatBlt(source.dc, 0, 0, 4, 4, BLACKNESS);
    PatBlt(dest.dc, 0, 0, 8, 8, WHITENESS);
    EXPECT_EQ(IntersectClipRect(dest.dc, 2, 2, 6, 6), SIMPLEREGION);
    // Source reaches past its bitmap at the right and bottom: only the existing part is copied.
    ASSERT_TRUE(BitBlt(dest.dc, 1, 1, 8, 8, source.dc, 1, 1, SRCCOPY));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool copied = x >= 2 && x < 4 && y >= 2 && y < 4;
            EXPECT_EQ(GetPixel(dest.dc, x, y) == RGB(0, 0, 0), copied) << x << "," << y;
        }
    EXPECT_EQ(IntersectClipRect(dest.dc, 7, 7, 8, 8), NULLREGION);
}

TEST(BitBlt, BufferContextsDrawAtTheirOriginInsideTheirClip) {
    std::vector<uint32_t> pixels(10 * 10, 0x00123456);
    HDC dc = layer::CreateBufferDC(layer::PixelBuffer{pixels.data(), 10, 10}, 3, 2, RECT{3, 2, 8, 7});
    ASSERT_NE(dc, nullptr);
    ASSERT_TRUE(PatBlt(dc, -1, -1, 20, 20, BLACKNESS));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(pixels[size_t(y * 10 + x)], (x >= 3 && x < 8 && y >= 2 && y < 7) ? 0u : 0x00123456u);
    layer::SetBufferDCClip(dc, RECT{0, 0, 4, 3});  // narrows, never widens past the window
    ASSERT_TRUE(PatBlt(dc, 0, 0, 10, 10, WHITENESS));
    EXPECT_EQ(pixels[2 * 10 + 3], 0x00FFFFFFu);
    EXPECT_EQ(pixels[2 * 10 + 4], 0u);
    EXPECT_EQ(pixels[0], 0x00123456u);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));  // logical (0, 0) is buffer (3, 2)
    EXPECT_EQ(GetPixel(dc, 1, 0), CLR_INVALID);         // outside the clip
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(BitBlt, TrueColourPathsAgreeWithTheGeneralPath) {
    // SRCCOPY between equal depths moves rows; 24 to 32 bits converts pixel by pixel.
    DibCanvas source24(5, 3, 24), copy24(5, 3, 24), copy32(5, 3, 32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) SetPixel(source24.dc, x, y, RGB(x * 50, y * 80, x + y));
    BitBlt(copy24.dc, 0, 0, 5, 3, source24.dc, 0, 0, SRCCOPY);
    BitBlt(copy32.dc, 0, 0, 5, 3, source24.dc, 0, 0, SRCCOPY);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(GetPixel(copy24.dc, x, y), RGB(x * 50, y * 80, x + y));
            EXPECT_EQ(GetPixel(copy32.dc, x, y), RGB(x * 50, y * 80, x + y));
        }
}

TEST(BitBlt, DeviceBitmapsFollowTheDisplayDepthOfTheProfile) {
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(screen, nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    HBITMAP compatible = CreateCompatibleBitmap(screen, 2, 2);
    BITMAP info;
    ASSERT_EQ(GetObjectA(compatible, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, depth);
    EXPECT_EQ(info.bmBits, nullptr);
    // A device-dependent bitmap of another depth cannot be selected; a monochrome one can.
    DdbCanvas other(CreateBitmap(2, 2, 1, depth == 8 ? 24 : 8, nullptr));
    EXPECT_EQ(other.previous, nullptr);
    DdbCanvas mono(CreateBitmap(2, 2, 1, 1, nullptr));
    EXPECT_NE(mono.previous, nullptr);
    DeleteObject(compatible);
    DeleteDC(screen);
}

TEST(BitBlt, ExtremeCoordinatesAreClippedWithoutOverflow) {
    // Sums of coordinates and extents near the ends of int must not wrap around.
    std::vector<uint32_t> pixels(4 * 4, 0);
    HDC dc = layer::CreateBufferDC(layer::PixelBuffer{pixels.data(), 4, 4}, 1, 1, RECT{0, 0, 4, 4});
    DibCanvas source(2, 2, 32);
    const int big = INT_MAX, small = INT_MIN;
    RECT rect = {small, small, big, big};
    EXPECT_TRUE(PatBlt(dc, big - 1, big - 1, big, big, WHITENESS));
    EXPECT_TRUE(PatBlt(dc, small, small, small, small, WHITENESS));
    EXPECT_TRUE(BitBlt(dc, small, 0, big, 1, source.dc, big, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dc, 0, 0, 1, 1, source.dc, small, small, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, big, small), CLR_INVALID);
    EXPECT_NE(IntersectClipRect(dc, small, small, big, big), ERROR);
    EXPECT_TRUE(ExtTextOutA(dc, big, big, ETO_OPAQUE | ETO_CLIPPED, &rect, "WW", 2, nullptr));
    EXPECT_TRUE(MoveToEx(dc, small, small, nullptr));
    EXPECT_TRUE(LineTo(dc, big, big));  // crosses the buffer on its diagonal
    EXPECT_TRUE(Rectangle(dc, small, small, big, big));
    DeleteDC(dc);
}

}  // namespace
