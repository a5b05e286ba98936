#include "platform/gdi32/font_cache.h"
#include "platform/gdi32/fonts.h"

#include <algorithm>

using namespace layer;

namespace {

// The rectangle in device coordinates, its edges put in order: an inverted
// rectangle opaques and clips like its ordered twin.
RECT OrderedDeviceRect(const DeviceContext& dc, const RECT& logical) {
    RECT r = DeviceRect(dc, logical.left, logical.top, logical.right, logical.bottom);
    return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom)};
}

}  // namespace

BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length,
                        const INT* spacing) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return FALSE;
    Surface* surface = TargetSurface(*dc);
    if (!surface || (length > 0 && !text)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const FontData& data = SelectedFont(*dc);
    FontInstance* font = FontFor(data.pixelSize, data.bold);
    if (!font) return FALSE;

    RECT clip = DeviceClip(*dc);
    if (rect && (options & ETO_OPAQUE))
        FillSurfaceRect(*surface, IntersectRects(OrderedDeviceRect(*dc, *rect), clip), ColourToRaw(*surface, dc->bkColour));
    if (rect && (options & ETO_CLIPPED)) clip = IntersectRects(clip, OrderedDeviceRect(*dc, *rect));
    if (length == 0 || IsEmpty(clip)) return TRUE;

    POINT origin = ToDevice(*dc, x, y);
    const FontMetrics& metrics = font->Metrics();
    if (dc->bkMode == OPAQUE) {
        long long width = 0;
        for (UINT i = 0; i < length; ++i)
            width += spacing ? spacing[i] : font->GlyphOf(static_cast<unsigned char>(text[i])).advance;
        RECT cell = DeviceRect(*dc, x, y, x + width, (long long)y + metrics.ascent + metrics.descent);
        FillSurfaceRect(*surface, IntersectRects(cell, clip), ColourToRaw(*surface, dc->bkColour));
    }
    uint32_t ink = ColourToRaw(*surface, dc->textColour);
    long long penX = origin.x;
    int baseline = origin.y + metrics.ascent;
    for (UINT i = 0; i < length; ++i) {
        const Glyph& glyph = font->GlyphOf(static_cast<unsigned char>(text[i]));
        long long left = penX + glyph.left;
        int top = baseline - glyph.top;
        for (int gy = 0; gy < glyph.rows; ++gy) {
            int py = top + gy;
            if (py < clip.top || py >= clip.bottom) continue;
            for (int gx = 0; gx < glyph.width; ++gx) {
                long long px = left + gx;
                if (px >= clip.left && px < clip.right && glyph.Ink(gx, gy)) WritePixel(*surface, int(px), py, ink);
            }
        }
        penX += spacing ? spacing[i] : glyph.advance;
    }
    return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
    if (length < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ExtTextOutA(hdc, x, y, 0, nullptr, text, UINT(length), nullptr);
}
