#include "unit/gdi32/gdi_test_support.h"

#include "platform/gdi32/gdi_internal.h"

using gdi_test::DibCanvas;

namespace {

TEST(Text, DialogAndSystemFontMetrics) {
    DibCanvas canvas(4, 4, 32);
    TEXTMETRICA system;
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &system));
    EXPECT_EQ(system.tmWeight, FW_BOLD);
    HGDIOBJ previous = SelectObject(canvas.dc, layer::DialogFont());
    TEXTMETRICA dialog;
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &dialog));
    EXPECT_EQ(dialog.tmWeight, FW_NORMAL);
    EXPECT_EQ(dialog.tmHeight, dialog.tmAscent + dialog.tmDescent);
    EXPECT_EQ(dialog.tmHeight - dialog.tmInternalLeading, 11);  // 8 points at 96 dots per inch
    EXPECT_EQ(system.tmHeight - system.tmInternalLeading, 13);
    SIZE empty, one, two;
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "", 0, &empty));
    ASSERT_TRUE(GetTextExtentPointA(canvas.dc, "W", 1, &one));
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "WW", 2, &two));
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, dialog.tmHeight);
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(two.cx, 2 * one.cx);
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc, "W", -1, &one));
    SelectObject(canvas.dc, previous);
}

TEST(Text, HeightsFromLogicalFonts) {
    struct Case { int height; int em; } cases[] = {{-11, 11}, {-13, 13}, {-1000000, 512}};
    DibCanvas canvas(4, 4, 32);
    for (const Case& c : cases) {
        HFONT font = CreateFontA(c.height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        HGDIOBJ previous = SelectObject(canvas.dc, font);
        TEXTMETRICA m;
        ASSERT_TRUE(GetTextMetricsA(canvas.dc, &m));
        EXPECT_EQ(m.tmHeight - m.tmInternalLeading, c.em) << c.height;
        SelectObject(canvas.dc, previous);
        DeleteObject(font);
    }
    // A positive height asks for the cell.
    HFONT cell = CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ previous = SelectObject(canvas.dc, cell);
    TEXTMETRICA m;
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &m));
    EXPECT_NEAR(m.tmHeight, 20, 1);
    SelectObject(canvas.dc, previous);
    DeleteObject(cell);
}

// Counts pixels of one colour inside and outside a rectangle.
void CountColour(const DibCanvas& canvas, int width, int height, COLORREF colour, const RECT& rect, int* inside,
                 int* outside) {
    *inside = *outside = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (GetPixel(canvas.dc, x, y) != colour) continue;
            bool in = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            ++*(in ? inside : outside);
        }
}

TEST(Text, GlyphsAreSolidInkWithoutShades) {
    DibCanvas canvas(60, 20, 32);
    PatBlt(canvas.dc, 0, 0, 60, 20, WHITENESS);
    SetTextColor(canvas.dc, RGB(0, 0, 128));
    SetBkMode(canvas.dc, TRANSPARENT);
    ASSERT_TRUE(TextOutA(canvas.dc, 2, 2, "Tesmara", 7));
    int ink = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            COLORREF c = GetPixel(canvas.dc, x, y);
            EXPECT_TRUE(c == RGB(255, 255, 255) || c == RGB(0, 0, 128)) << x << "," << y;
            ink += c == RGB(0, 0, 128);
        }
    EXPECT_GT(ink, 20);
}

TEST(Text, TwoToneCaptionSplitsAtTheBoundary) {
    // Two opaque, clipped calls with one origin: the caption changes colour exactly at the split.
    DibCanvas canvas(80, 20, 32);
    const COLORREF navy = RGB(0, 0, 128), white = RGB(255, 255, 255);
    RECT filled = {2, 2, 40, 18}, unfilled = {40, 2, 78, 18};
    SetTextColor(canvas.dc, white);
    SetBkColor(canvas.dc, navy);
    ExtTextOutA(canvas.dc, 10, 3, ETO_OPAQUE | ETO_CLIPPED, &filled, "MMMMMMMM", 8, nullptr);
    SetTextColor(canvas.dc, navy);
    SetBkColor(canvas.dc, white);
    ExtTextOutA(canvas.dc, 10, 3, ETO_OPAQUE | ETO_CLIPPED, &unfilled, "MMMMMMMM", 8, nullptr);
    int inside, outside;
    CountColour(canvas, 80, 20, navy, RECT{2, 2, 78, 18}, &inside, &outside);
    EXPECT_EQ(outside, 0);
    int leftWhite, rightWhite, unused;
    CountColour(canvas, 80, 20, white, filled, &leftWhite, &unused);
    CountColour(canvas, 80, 20, white, unfilled, &rightWhite, &unused);
    EXPECT_GT(leftWhite, 0);                     // caption letters on navy
    EXPECT_LT(rightWhite, 38 * 16);              // caption letters on white are navy
    EXPECT_EQ(GetPixel(canvas.dc, 2, 2), navy);  // the bar itself
    EXPECT_EQ(GetPixel(canvas.dc, 77, 17), white);
}

}  // namespace
