#include "platform/gdi32/gdi_objects.h"

#include <cstdlib>

using namespace layer;

namespace {

// The pen's colour as a raw value of the surface; false for the null pen.
bool PenValue(const DeviceContext& dc, const Surface& surface, uint32_t* value) {
    const GdiObject* pen = GdiObjects().Get(reinterpret_cast<uintptr_t>(dc.pen));
    if (!pen || pen->pen.log.lopnStyle != PS_SOLID) return false;
    *value = ColourToRaw(surface, pen->pen.log.lopnColor);
    return true;
}

// Bresenham from `from` towards `to` (device coordinates), leaving out `to` itself.
// Step k along the major axis moves the minor axis (k * minor + major - major / 2 - 1) / major
// times, so only the steps whose major coordinate lies inside the clip are visited.
void DrawLine(Surface& surface, const RECT& clip, POINT from, POINT to, uint32_t value) {
    long long dx = std::abs(to.x - from.x), dy = std::abs(to.y - from.y);
    bool xMajor = dx > dy;
    long long major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    int majorStep = (xMajor ? to.x > from.x : to.y > from.y) ? 1 : -1;
    int minorStep = (xMajor ? to.y > from.y : to.x > from.x) ? 1 : -1;
    long long majorStart = xMajor ? from.x : from.y, minorStart = xMajor ? from.y : from.x;
    long long majorLow = xMajor ? clip.left : clip.top, majorHigh = (xMajor ? clip.right : clip.bottom) - 1;
    long long minorLow = xMajor ? clip.top : clip.left, minorHigh = (xMajor ? clip.bottom : clip.right) - 1;
    // Steps whose major coordinate majorStart + k * majorStep lies in [majorLow, majorHigh].
    long long first = majorStep > 0 ? majorLow - majorStart : majorStart - majorHigh;
    long long last = majorStep > 0 ? majorHigh - majorStart : majorStart - majorLow;
    if (first < 0) first = 0;
    if (last > major - 1) last = major - 1;
    for (long long k = first; k <= last; ++k) {
        long long m = minorStart + minorStep * ((k * minor + major - major / 2 - 1) / major);
        if (m < minorLow || m > minorHigh) continue;
        long long n = majorStart + majorStep * k;
        WritePixel(surface, int(xMajor ? n : m), int(xMajor ? m : n), value);
    }
}

}  // namespace

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return FALSE;
    if (previous) *previous = dc->position;
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return FALSE;
    Surface* surface = TargetSurface(*dc);
    if (!surface) return FALSE;
    uint32_t value;
    if (PenValue(*dc, *surface, &value))
        DrawLine(*surface, DeviceClip(*dc), ToDevice(*dc, dc->position.x, dc->position.y), ToDevice(*dc, x, y), value);
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return FALSE;
    Surface* surface = TargetSurface(*dc);
    if (!surface) return FALSE;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    POINT a = ToDevice(*dc, left, top), b = ToDevice(*dc, right, bottom);
    RECT clip = DeviceClip(*dc);
    uint32_t pen = 0;
    bool hasPen = PenValue(*dc, *surface, &pen);
    // The outline takes the outer pixel ring; without a pen the fill shrinks by one at right and bottom.
    RECT inside = hasPen ? RECT{a.x + 1, a.y + 1, b.x - 1, b.y - 1} : RECT{a.x, a.y, b.x - 1, b.y - 1};
    const GdiObject* brush = GdiObjects().Get(reinterpret_cast<uintptr_t>(dc->brush));
    if (brush && !brush->brush.hollow && !IsEmpty(inside))
        FillSurfaceRect(*surface, IntersectRects(inside, clip), ColourToRaw(*surface, brush->brush.colour));
    if (hasPen && b.x - a.x >= 1 && b.y - a.y >= 1) {
        POINT corners[] = {{a.x, a.y}, {b.x - 1, a.y}, {b.x - 1, b.y - 1}, {a.x, b.y - 1}};
        for (int i = 0; i < 4; ++i) DrawLine(*surface, clip, corners[i], corners[(i + 1) % 4], pen);
        // The closing line leaves out its end, the start corner: draw it apart.
        if (a.x >= clip.left && a.x < clip.right && a.y >= clip.top && a.y < clip.bottom)
            WritePixel(*surface, a.x, a.y, pen);
    }
    return TRUE;
}
