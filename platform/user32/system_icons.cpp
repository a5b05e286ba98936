// The system's icons for message boxes and the standard cursors, drawn from
// simple shapes in the colours of the 1998 desktop.
#include "platform/user32/icon_image.h"

#include <cmath>
#include <cstdlib>

namespace layer {
namespace {

constexpr int kSide = 32;
constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0),
                   kDarkRed = RGB(128, 0, 0), kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0),
                   kNavy = RGB(0, 0, 128), kGrey = RGB(128, 128, 128);

// 5 x 7 glyphs drawn on the icons, one string per row.
const char* const kQuestionMark[7] = {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."};
const char* const kExclamationMark[7] = {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."};
const char* const kLetterI[7] = {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."};

class Canvas {
public:
    explicit Canvas(IconImage* image, int side = kSide) : image_(image) {
        *image = IconImage{};
        image->width = image->height = side;
        image->pixels.assign(size_t(side) * size_t(side), 0);
        image->opaque.assign(image->pixels.size(), 0);
    }

    void Put(int x, int y, COLORREF colour) {
        if (x < 0 || y < 0 || x >= image_->width || y >= image_->height) return;
        size_t i = size_t(y) * size_t(image_->width) + size_t(x);
        image_->pixels[i] = colour;
        image_->opaque[i] = 1;
    }

    // A filled disc around (cx, cy), measured between pixel centres.
    void Disc(double cx, double cy, double radius, COLORREF colour) {
        for (int y = 0; y < image_->height; ++y)
            for (int x = 0; x < image_->width; ++x)
                if (std::hypot(x - cx, y - cy) <= radius) Put(x, y, colour);
    }

    void Fill(int left, int top, int right, int bottom, COLORREF colour) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) Put(x, y, colour);
    }

    void Glyph(const char* const rows[7], int left, int top, int scale, COLORREF colour) {
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 5; ++column)
                if (rows[row][column] == '#')
                    Fill(left + column * scale, top + row * scale, left + (column + 1) * scale,
                         top + (row + 1) * scale, colour);
    }

private:
    IconImage* image_;
};

void DrawStop(Canvas& c) {
    c.Disc(16, 16, 15, kGrey);  // shadow
    c.Disc(15, 15, 14, kDarkRed);
    c.Disc(15, 15, 12.8, kRed);
    for (int i = 0; i < 12; ++i)
        for (int w = -1; w <= 1; ++w) {
            c.Put(9 + i + w, 9 + i, kWhite);
            c.Put(20 - i + w, 9 + i, kWhite);
        }
}

// A speech bubble with a tail at its lower left, as the question and information icons have.
void DrawBubble(Canvas& c) {
    c.Disc(16, 14, 13.5, kGrey);
    c.Disc(15, 13, 13.5, kBlack);
    c.Disc(15, 13, 12.5, kWhite);
    for (int i = 0; i < 6; ++i) {
        c.Fill(7, 24 + i, 12 - i, 25 + i, kBlack);
        c.Fill(8, 24 + i, 11 - i, 25 + i, kWhite);
    }
}

void DrawWarning(Canvas& c) {
    const double apexX = 15.5, apexY = 1, baseY = 29;
    for (int y = 1; y <= 30; ++y)
        for (int x = 0; x < kSide; ++x) {
            double half = (y - apexY) * 15.0 / (baseY - apexY);
            double distance = std::abs(x - apexX);
            if (y > baseY + 1 || distance > half + 1) continue;
            bool edge = y > baseY || distance > half - 1;
            c.Put(x, y, edge ? kBlack : kYellow);
        }
    c.Glyph(kExclamationMark, 11, 9, 2, kBlack);
}

void DrawApplication(Canvas& c) {
    c.Fill(2, 4, 30, 28, kBlack);
    c.Fill(3, 5, 29, 27, kWhite);
    c.Fill(3, 5, 29, 9, kNavy);
}

}  // namespace

bool DrawSystemIcon(WORD id, IconImage* out) {
    Canvas c(out);
    switch (id) {
    case 32512: DrawApplication(c); return true;  // IDI_APPLICATION
    case 32513: DrawStop(c); return true;         // IDI_HAND
    case 32514:                                   // IDI_QUESTION
        DrawBubble(c);
        c.Glyph(kQuestionMark, 10, 4, 2, kBlue);
        return true;
    case 32515: DrawWarning(c); return true;  // IDI_EXCLAMATION
    case 32516:                               // IDI_ASTERISK
        DrawBubble(c);
        c.Glyph(kLetterI, 10, 4, 2, kBlue);
        return true;
    default: return false;
    }
}

bool DrawSystemCursor(WORD id, IconImage* out) {
    Canvas c(out);
    switch (id) {
    case 32512:  // IDC_ARROW
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x <= y; ++x) c.Put(x, y, x == 0 || x == y || y == 11 ? kBlack : kWhite);
        c.Fill(4, 12, 6, 18, kBlack);
        return true;
    case 32513:  // IDC_IBEAM
        c.Fill(1, 0, 8, 1, kBlack);
        c.Fill(4, 1, 5, 15, kBlack);
        c.Fill(1, 15, 8, 16, kBlack);
        return true;
    default: return false;
    }
}

}  // namespace layer
