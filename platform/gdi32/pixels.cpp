#include "platform/gdi32/gdi_objects.h"

using namespace layer;

namespace {

// The surface and device point of a logical point inside the context's clip, or nullptr.
Surface* ClippedTarget(HDC hdc, int x, int y, POINT* device) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return nullptr;
    Surface* surface = TargetSurface(*dc);
    *device = ToDevice(*dc, x, y);
    RECT clip = DeviceClip(*dc);
    if (!surface || device->x < clip.left || device->x >= clip.right || device->y < clip.top ||
        device->y >= clip.bottom)
        return nullptr;
    return surface;
}

}  // namespace

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    POINT at;
    Surface* surface = ClippedTarget(hdc, x, y, &at);
    return surface ? RawToColour(*surface, ReadPixel(*surface, at.x, at.y)) : CLR_INVALID;
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF colour) {
    POINT at;
    Surface* surface = ClippedTarget(hdc, x, y, &at);
    if (!surface) return CLR_INVALID;
    uint32_t raw = ColourToRaw(*surface, colour);
    WritePixel(*surface, at.x, at.y, raw);
    return RawToColour(*surface, raw);
}
