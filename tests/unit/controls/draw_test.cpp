#include "platform/gdi32/gdi_internal.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A 32-bit memory canvas, cleared to white, with the dialog font selected.
class Canvas {
public:
    Canvas(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        oldBitmap_ = SelectObject(dc, bitmap_);
        oldFont_ = SelectObject(dc, layer::DialogFont());
        PatBlt(dc, 0, 0, width, height, WHITENESS);
    }
    ~Canvas() {
        SelectObject(dc, oldFont_);
        SelectObject(dc, oldBitmap_);
        DeleteObject(bitmap_);
        DeleteDC(dc);
    }
    int Width(const char* text) const {
        SIZE size{};
        GetTextExtentPoint32A(dc, text, static_cast<int>(std::string(text).size()), &size);
        return size.cx;
    }
    int LineHeight() const {
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        return metrics.tmHeight;
    }
    HDC dc;

private:
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_, oldFont_;
};

RECT Measure(Canvas& canvas, const char* text, int width, UINT format) {
    RECT rect = {0, 0, width, 0};
    DrawTextA(canvas.dc, text, -1, &rect, format | DT_CALCRECT);
    return rect;
}

TEST(DrawTextTest, PrefixesAreHiddenUnlessNoPrefixIsAsked) {
    Canvas canvas(200, 50);
    struct Case {
        const char* text;
        UINT format;
        const char* shown;
    };
    const Case cases[] = {
        {"&Yes", DT_SINGLELINE, "Yes"},
        {"A&&B", DT_SINGLELINE, "A&B"},
        {"Yes&", DT_SINGLELINE, "Yes"},
        {"&Yes", DT_SINGLELINE | DT_NOPREFIX, "&Yes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RECT r = Measure(canvas, c.text, 200, c.format);
        EXPECT_EQ(r.right, canvas.Width(c.shown));
        EXPECT_EQ(r.bottom, canvas.LineHeight());
    }
}

TEST(DrawTextTest, WordBreakWrapsBetweenWordsAndEditControlBreaksLongWords) {
    Canvas canvas(200, 100);
    const int line = canvas.LineHeight();
    const int twoWords = canvas.Width("Copying Places");
    struct Case {
        const char* name;
        const char* text;
        int width;
        UINT format;
        int lines;
        int widest;
    };
    const Case cases[] = {
        {"fits on one line", "Copying Places", twoWords, DT_WORDBREAK, 1, twoWords},
        {"one word per line", "Copying Places", twoWords - 1, DT_WORDBREAK, 2, canvas.Width("Copying")},
        {"newline breaks", "Copying\nPlaces", 200, DT_WORDBREAK, 2, canvas.Width("Copying")},
        {"a long word stays whole", "Copying", 10, DT_WORDBREAK, 1, canvas.Width("Copying")},
        {"unless like an edit control", "Copying", canvas.Width("Cop"), DT_WORDBREAK | DT_EDITCONTROL, 3,
         canvas.Width("Cop")},
        {"single line ignores the width", "Copying Places", 10, DT_SINGLELINE, 1, twoWords},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RECT r = Measure(canvas, c.text, c.width, c.format);
        EXPECT_EQ(r.bottom, c.lines * line);
        EXPECT_EQ(r.right, c.widest);
    }
}

TEST(DrawTextTest, AlignsAndUnderlinesThePrefixedLetter) {
    Canvas canvas(100, 40);
    SetTextColor(canvas.dc, RGB(0, 0, 0));
    SetBkMode(canvas.dc, TRANSPARENT);
    RECT rect = {0, 0, 100, 40};
    const int height = DrawTextA(canvas.dc, "&No", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const int line = canvas.LineHeight();
    EXPECT_EQ(height, (40 - line) / 2 + line);

    TEXTMETRICA metrics{};
    GetTextMetricsA(canvas.dc, &metrics);
    const int left = (100 - canvas.Width("No")) / 2;
    const int underline = (40 - line) / 2 + metrics.tmAscent + 1;
    EXPECT_EQ(GetPixel(canvas.dc, left + 1, underline), RGB(0, 0, 0));  // under the N
    EXPECT_EQ(GetPixel(canvas.dc, left + canvas.Width("N") + 2, underline), RGB(255, 255, 255));  // not the o
    EXPECT_EQ(GetPixel(canvas.dc, left - 2, line), RGB(255, 255, 255));
}

TEST(DrawTest, FillRectTakesSystemColourIndexesAndTheHollowBrushFillsNothing) {
    Canvas canvas(20, 20);
    RECT rect = {2, 2, 10, 10};
    EXPECT_NE(FillRect(canvas.dc, &rect, reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1)), 0);
    EXPECT_EQ(GetPixel(canvas.dc, 2, 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(canvas.dc, 9, 9), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(canvas.dc, 10, 10), RGB(255, 255, 255));  // right and bottom excluded

    RECT other = {12, 12, 18, 18};
    EXPECT_NE(FillRect(canvas.dc, &other, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
    EXPECT_EQ(GetPixel(canvas.dc, 14, 14), RGB(255, 255, 255));
    EXPECT_EQ(FillRect(canvas.dc, nullptr, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
}

TEST(DrawTest, FrameRectDrawsOnlyTheBorder) {
    Canvas canvas(20, 20);
    RECT rect = {2, 2, 10, 8};
    EXPECT_NE(FrameRect(canvas.dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    const POINT border[] = {{2, 2}, {9, 2}, {2, 7}, {9, 7}, {5, 2}, {2, 5}};
    for (POINT p : border) EXPECT_EQ(GetPixel(canvas.dc, p.x, p.y), RGB(0, 0, 0)) << p.x << "," << p.y;
    EXPECT_EQ(GetPixel(canvas.dc, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(canvas.dc, 10, 8), RGB(255, 255, 255));
}

TEST(DrawTest, EdgesGiveTheBottomRightCornersToTheBottomRightColour) {
    Canvas canvas(20, 20);
    RECT rect = {0, 0, 10, 10};
    EXPECT_TRUE(DrawEdge(canvas.dc, &rect, EDGE_RAISED, BF_RECT | BF_ADJUST));
    EXPECT_EQ(rect.left, 2);
    EXPECT_EQ(rect.bottom, 8);
    struct Pixel {
        int x, y, colour;
    };
    const Pixel pixels[] = {
        {0, 0, COLOR_3DLIGHT},     {8, 0, COLOR_3DLIGHT},     {9, 0, COLOR_3DDKSHADOW}, {0, 9, COLOR_3DDKSHADOW},
        {9, 9, COLOR_3DDKSHADOW},  {1, 1, COLOR_BTNHIGHLIGHT}, {8, 1, COLOR_BTNSHADOW}, {8, 8, COLOR_BTNSHADOW},
    };
    for (const Pixel& p : pixels)
        EXPECT_EQ(GetPixel(canvas.dc, p.x, p.y), GetSysColor(p.colour)) << p.x << "," << p.y;
    EXPECT_EQ(GetPixel(canvas.dc, 5, 5), RGB(255, 255, 255));  // no BF_MIDDLE: the inside stays
}

}  // namespace
