// The maker's logo is drawn only in the greys that the installer swaps for the
// user's button colours (shadow 128, face 192, highlight 255), so it always
// looks cut into the dialog face, whatever the colour scheme.
#include "artwork.h"
#include "text_render.h"

#include <cmath>

namespace artgen {

namespace {

constexpr int kWidth = 70, kHeight = 217;
constexpr uint8_t kShadow = 128, kFace = 192, kHighlight = 255;

struct GreyCanvas {
    IndexedImage image;
    GreyCanvas() {
        image.width = kWidth;
        image.height = kHeight;
        // A grey ramp: entry i is grey level i, so the three button greys sit at
        // entries 128, 192 and 255 and nowhere else.
        for (int i = 0; i < 256; ++i) image.palette.push_back(Rgb8{uint8_t(i), uint8_t(i), uint8_t(i)});
        image.indices.assign(kWidth * kHeight, kFace);
    }
    void Set(int x, int y, uint8_t grey) {
        if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) image.indices[y * kWidth + x] = grey;
    }
    void Stamp(const Mask& mask, int left, int top, uint8_t grey) {
        for (int y = 0; y < mask.height; ++y)
            for (int x = 0; x < mask.width; ++x)
                if (mask.Get(x, y) >= 0.5f) Set(left + x, top + y, grey);
    }
    // Lines along the edges of a box: light on the top and left, dark on the bottom and right.
    void Bevel(int left, int top, int right, int bottom, uint8_t lightEdge, uint8_t darkEdge) {
        for (int x = left; x <= right; ++x) {
            Set(x, top, lightEdge);
            Set(x, bottom, darkEdge);
        }
        for (int y = top; y <= bottom; ++y) {
            Set(left, y, lightEdge);
            Set(right, y, darkEdge);
        }
        Set(right, top, darkEdge);
        Set(left, bottom, darkEdge);
    }
    // A ring lit from the upper left: raised when the light falls on its upper left half.
    void Ring(int cx, int cy, float outer, float inner, bool raised) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
                const float r = std::hypot(dx, dy);
                if (r > outer || r <= inner) continue;
                const bool facesLight = dx + dy < 0;
                Set(x, y, facesLight == raised ? kHighlight : kShadow);
            }
    }
    // A shape cut into the surface: its inside in shadow, lit on its lower right edge.
    void Engrave(const Mask& mask, int left, int top) {
        Stamp(mask, left + 1, top + 1, kHighlight);
        Stamp(mask, left, top, kShadow);
    }
};

// The maker's mark: a round medallion with a V cut into it.
Mask MarkV(int size) {
    Mask mask(size, size);
    const float c = size / 2.0f;
    const float top = size * 0.30f, bottom = size * 0.74f;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float px = x + 0.5f - c, py = y + 0.5f;
            if (py < top || py > bottom) continue;
            const float along = (bottom - py) / (bottom - top);  // 1 at the top, 0 at the point
            const float armX = along * size * 0.19f;
            const float halfStroke = size * 0.045f + along * size * 0.025f;
            if (std::abs(std::abs(px) - armX) <= halfStroke) mask.At(x, y) = 1.0f;
        }
    return mask;
}

}  // namespace

IndexedImage MakerLogo() {
    GreyCanvas canvas;
    // A raised plate with a groove inside its edge.
    canvas.Bevel(0, 0, kWidth - 1, kHeight - 1, kHighlight, kShadow);
    canvas.Bevel(3, 3, kWidth - 4, kHeight - 4, kShadow, kHighlight);

    const int markSize = 46;
    const int markLeft = (kWidth - markSize) / 2, markTop = 11;
    const int cx = kWidth / 2, cy = markTop + markSize / 2;
    canvas.Ring(cx, cy, markSize / 2.0f, markSize / 2.0f - 2, true);
    canvas.Ring(cx, cy, markSize / 2.0f - 4, markSize / 2.0f - 5, false);
    canvas.Engrave(MarkV(markSize), markLeft, markTop);

    const Mask name = RotatedLeft(RenderText("Vintrel", TextStyle{"DejaVuSans-Bold.ttf", 33, true, 1}));
    const Mask trade = RotatedLeft(RenderText("SOFTWARE", TextStyle{"DejaVuSans-Bold.ttf", 11, true, 3}));
    // The name and the trade line read upwards side by side, centred below the mark.
    const int textTop = markTop + markSize, textBottom = kHeight - 4;
    const int nameBottom = textBottom - (textBottom - textTop - name.height) / 2;
    const int nameLeft = (kWidth - (name.width + 5 + trade.width)) / 2;
    canvas.Engrave(name, nameLeft, nameBottom - name.height);
    canvas.Engrave(trade, nameLeft + name.width + 5, nameBottom - trade.height);
    return canvas.image;
}

}  // namespace artgen
