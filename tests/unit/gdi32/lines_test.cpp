#include "unit/gdi32/gdi_test_support.h"

using gdi_test::DibCanvas;

namespace {

TEST(Lines, ClippedLinesKeepTheirPixels) {
    // A clip shows exactly the pixels the unclipped line has there, whichever way it runs.
    struct Line { int x0, y0, x1, y1; } lines[] = {
        {-5, -3, 14, 11}, {14, 11, -5, -3}, {0, 9, 12, -4}, {3, -6, 7, 20}, {7, 20, 3, -6},
        {-9, 5, 30, 5},   {5, 30, 5, -9},   {1, 1, 1, 1},   {-20, -20, 20, 20}, {11, 0, -1, 2},
    };
    const RECT clip = {2, 3, 9, 7};
    for (const Line& l : lines) {
        DibCanvas whole(12, 10, 32), clipped(12, 10, 32);
        for (DibCanvas* c : {&whole, &clipped}) {
            PatBlt(c->dc, 0, 0, 12, 10, WHITENESS);
            SelectObject(c->dc, GetStockObject(BLACK_PEN));
        }
        IntersectClipRect(clipped.dc, clip.left, clip.top, clip.right, clip.bottom);
        for (DibCanvas* c : {&whole, &clipped}) {
            MoveToEx(c->dc, l.x0, l.y0, nullptr);
            LineTo(c->dc, l.x1, l.y1);
        }
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x) {
                bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                COLORREF expected = inside ? GetPixel(whole.dc, x, y) : RGB(255, 255, 255);
                const DWORD* row = reinterpret_cast<const DWORD*>(clipped.bits + y * clipped.stride);
                EXPECT_EQ(row[x] & 0xffffff, expected == RGB(0, 0, 0) ? 0u : 0xffffffu)
                    << "line " << l.x0 << "," << l.y0 << " -> " << l.x1 << "," << l.y1 << " at " << x << "," << y;
            }
    }
}

}  // namespace
