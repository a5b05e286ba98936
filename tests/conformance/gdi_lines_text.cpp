// Lines leave out their end point, rectangles and pattern fills cover the
// documented pixels, and ExtTextOutA opaques and clips to its rectangle,
// including empty and inverted ones.
#include "conformance/check.h"
#include "conformance/gdi_fixtures.h"

#include <string>

using gdi_conformance::Canvas;

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

}  // namespace

CONFORMANCE_TEST(GdiLineToLeavesOutItsEndPoint) {
    Canvas canvas(24, 10);
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    MoveToEx(canvas.dc, 0, 0, nullptr);
    LineTo(canvas.dc, 5, 5);     // diagonal
    MoveToEx(canvas.dc, 7, 0, nullptr);
    LineTo(canvas.dc, 9, 9);     // steep
    MoveToEx(canvas.dc, 10, 1, nullptr);
    LineTo(canvas.dc, 23, 4);    // shallow
    MoveToEx(canvas.dc, 23, 9, nullptr);
    LineTo(canvas.dc, 12, 6);    // shallow, backwards
    CHECK_EQ(canvas.Picture(kBlack),
             std::string("#......#................|"
                         ".#.....#..###...........|"
                         "..#....#.....####.......|"
                         "...#....#........####...|"
                         "....#...#............##.|"
                         "........#...............|"
                         "........#....#..........|"
                         ".........#....####......|"
                         ".........#........####..|"
                         "......................##|"));
}

CONFORMANCE_TEST(GdiLineToAxisLinesAndCurrentPosition) {
    Canvas canvas(6, 4);
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    MoveToEx(canvas.dc, 1, 1, nullptr);
    LineTo(canvas.dc, 5, 1);
    LineTo(canvas.dc, 5, 3);
    POINT position = {};
    MoveToEx(canvas.dc, 0, 0, &position);
    CHECK_EQ(position.x, 5);
    CHECK_EQ(position.y, 3);
    CHECK_EQ(canvas.Picture(kBlack), std::string("......|"
                                                  ".#####|"
                                                  ".....#|"
                                                  "......|"));
}

CONFORMANCE_TEST(GdiRectangleAndPatBltCoverage) {
    Canvas canvas(14, 6);
    SelectObject(canvas.dc, GetStockObject(BLACK_BRUSH));
    Rectangle(canvas.dc, 1, 1, 6, 5);       // black pen, black brush
    SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    Rectangle(canvas.dc, 8, 1, 13, 5);      // no pen: one pixel smaller at right and bottom
    CHECK_EQ(canvas.Picture(kBlack), std::string("..............|"
                                                  ".#####..####..|"
                                                  ".#####..####..|"
                                                  ".#####..####..|"
                                                  ".#####........|"
                                                  "..............|"));
    canvas.Fill(RGB(255, 255, 255));
    PatBlt(canvas.dc, 5, 5, -3, -2, BLACKNESS);  // negative extents keep the corner inside
    CHECK_EQ(canvas.Picture(kBlack), std::string("..............|"
                                                  "..............|"
                                                  "..............|"
                                                  "..............|"
                                                  "...###........|"
                                                  "...###........|"));
}

CONFORMANCE_TEST(GdiExtTextOutOpaqueAndClippedRectangles) {
    struct Case {
        RECT rect;
        const char* picture;  // pixels in the background colour after an empty-text call
    };
    const Case cases[] = {
        // Ordered.
        {{2, 1, 5, 3}, "........|..###...|..###...|........|"},
        // Inverted by one column, as a full bar's empty part is: ordered, so one column is filled.
        {{5, 1, 4, 3}, "........|....#...|....#...|........|"},
        // Inverted both ways.
        {{6, 3, 2, 1}, "........|..####..|..####..|........|"},
        // Empty.
        {{3, 1, 3, 3}, "........|........|........|........|"},
    };
    for (const Case& c : cases) {
        Canvas canvas(8, 4);
        SetBkColor(canvas.dc, kBlue);
        CHECK(ExtTextOutA(canvas.dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &c.rect, "", 0, nullptr));
        CHECK_EQ(canvas.Picture(kBlue), std::string(c.picture));
    }
}

CONFORMANCE_TEST(GdiExtTextOutClipsTextToItsRectangle) {
    // Text far larger than the rectangle: nothing may be drawn outside it, and an empty
    // rectangle lets nothing through.
    Canvas canvas(40, 30);
    SetBkColor(canvas.dc, kBlue);
    SetTextColor(canvas.dc, kBlack);
    RECT rect = {10, 10, 20, 20};
    CHECK(ExtTextOutA(canvas.dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &rect, "WWWWWWWW", 8, nullptr));
    bool outside = false, blackInside = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            bool in = x >= 10 && x < 20 && y >= 10 && y < 20;
            if (!in && canvas.At(x, y) != RGB(255, 255, 255)) outside = true;
            if (in && canvas.At(x, y) == kBlack) blackInside = true;
        }
    CHECK(!outside);
    CHECK(blackInside);
    Canvas empty(40, 30);
    RECT none = {10, 10, 10, 20};
    CHECK(ExtTextOutA(empty.dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &none, "WWWWWWWW", 8, nullptr));
    CHECK_EQ(empty.Picture(RGB(255, 255, 255)), Canvas(40, 30).Picture(RGB(255, 255, 255)));
}

CONFORMANCE_TEST(GdiTransparentTextDrawsNoCell) {
    Canvas canvas(40, 20);
    SetBkColor(canvas.dc, kBlue);
    SetBkMode(canvas.dc, TRANSPARENT);
    TextOutA(canvas.dc, 2, 2, "Ab", 2);
    bool blue = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            if (canvas.At(x, y) == kBlue) blue = true;
    CHECK(!blue);
    SetBkMode(canvas.dc, OPAQUE);
    TextOutA(canvas.dc, 2, 2, "Ab", 2);
    SIZE size = {};
    CHECK(GetTextExtentPoint32A(canvas.dc, "Ab", 2, &size));
    // The cell's corners take the background colour.
    CHECK_EQ(canvas.At(2, 2), kBlue);
    CHECK_EQ(canvas.At(2 + size.cx - 1, 2 + size.cy - 1), kBlue);
    CHECK_EQ(canvas.At(2 + size.cx, 2), RGB(255, 255, 255));
}
