#include "platform/gdi32/dib_format.h"
#include "platform/gdi32/gdi_objects.h"
#include "platform/gdi32/raster_ops.h"

#include <cstring>
#include <functional>

namespace layer {
namespace {

bool IsMonochromeBitmap(const DeviceContext& dc, const Surface& s) {
    if (dc.kind != DcKind::Memory || s.bitsPerPixel != 1) return false;
    const GdiObject* bitmap = GdiObjects().Get(reinterpret_cast<uintptr_t>(dc.bitmap));
    return bitmap && !bitmap->bitmap.dibSection;
}

// Fills `out` with the source pixels of one row as raw values of the destination.
using SourceRow = std::function<void(int row, uint32_t* out)>;

// Runs rop over rect (device coordinates, already clipped) of the destination.
void RunRop(Surface& dest, const RECT& rect, uint8_t rop, uint32_t pattern, const SourceRow& source,
            bool bottomToTop) {
    int width = rect.right - rect.left;
    std::vector<uint32_t> s(size_t(width), 0), d(size_t(width), 0);
    bool needsDest = RopUsesDestination(rop);
    for (int i = 0; i < rect.bottom - rect.top; ++i) {
        int row = bottomToTop ? rect.bottom - 1 - i : rect.top + i;
        if (source) source(row, s.data());
        if (needsDest) ReadRow(dest, rect.left, row, width, d.data());
        ApplyRopRow(rop, pattern, s.data(), d.data(), width);
        WriteRow(dest, rect.left, row, width, d.data());
    }
}

// The selected brush's colour as a raw value of the surface; false for the hollow brush.
bool PatternValue(const DeviceContext& dc, const Surface& s, uint32_t* value) {
    const GdiObject* brush = GdiObjects().Get(reinterpret_cast<uintptr_t>(dc.brush));
    if (!brush || brush->brush.hollow) return false;
    *value = ColourToRaw(s, brush->brush.colour);
    return true;
}

}  // namespace
}  // namespace layer

using namespace layer;

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return FALSE;
    uint8_t code = uint8_t(rop >> 16);
    Surface* surface = TargetSurface(*dc);
    if (!surface || RopUsesSource(code)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // A negative extent reaches back from the given corner, which stays inside.
    long long left = x, top = y, right = left + width, bottom = top + height;
    if (width < 0) { left = right + 1; right = x + 1ll; }
    if (height < 0) { top = bottom + 1; bottom = y + 1ll; }
    uint32_t pattern = 0;
    if (RopUsesPattern(code) && !PatternValue(*dc, *surface, &pattern)) return TRUE;
    RECT rect = IntersectRects(DeviceRect(*dc, left, top, right, bottom), DeviceClip(*dc));
    if (!IsEmpty(rect)) RunRop(*surface, rect, code, pattern, nullptr, false);
    return TRUE;
}

BOOL WINAPI BitBlt(HDC hdcDest, int x, int y, int width, int height, HDC hdcSource, int sourceX, int sourceY,
                   DWORD rop) {
    uint8_t code = uint8_t(rop >> 16);
    if (!RopUsesSource(code)) return PatBlt(hdcDest, x, y, width, height, rop);
    DeviceContext* dest = LookUpDc(hdcDest);
    DeviceContext* src = dest ? LookUpDc(hdcSource) : nullptr;
    if (!src) return FALSE;
    Surface* to = TargetSurface(*dest);
    Surface* from = TargetSurface(*src);
    if (!to || !from) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (width <= 0 || height <= 0) return TRUE;
    uint32_t pattern = 0;
    if (RopUsesPattern(code) && !PatternValue(*dest, *to, &pattern)) return TRUE;

    POINT at = ToDevice(*dest, x, y);
    POINT sourceAt = ToDevice(*src, sourceX, sourceY);
    int dx = sourceAt.x - at.x, dy = sourceAt.y - at.y;  // source = destination + (dx, dy)
    RECT rect = IntersectRects(DeviceRect(*dest, x, y, (long long)x + width, (long long)y + height), DeviceClip(*dest));
    rect = IntersectRects(rect, RECT{-dx, -dy, from->width - dx, from->height - dy});
    if (IsEmpty(rect)) return TRUE;
    int span = rect.right - rect.left;

    // Plain copies between surfaces of one format move whole rows.
    ColourConverter convert(*from, *to);
    bool monoToColour = IsMonochromeBitmap(*src, *from) && !IsMonochromeBitmap(*dest, *to);
    bool colourToMono = !IsMonochromeBitmap(*src, *from) && IsMonochromeBitmap(*dest, *to);
    // Two window contexts may share one buffer: compare the pixels, not the contexts.
    bool sameSurface = from->bits == to->bits;
    if (code == 0xcc && convert.Identity() && !monoToColour && !colourToMono && to->bitsPerPixel >= 8 &&
        from->bitsPerPixel == to->bitsPerPixel) {
        int bytes = to->bitsPerPixel / 8;
        for (int i = 0; i < rect.bottom - rect.top; ++i) {
            int row = (sameSurface && dy < 0) ? rect.bottom - 1 - i : rect.top + i;
            std::memmove(to->Row(row) + rect.left * bytes, from->Row(row + dy) + (rect.left + dx) * bytes,
                         size_t(span) * size_t(bytes));
        }
        return TRUE;
    }

    SourceRow source;
    if (monoToColour) {
        // 0 bits take the destination's text colour, 1 bits its background colour.
        uint32_t values[2] = {ColourToRaw(*to, dest->textColour), ColourToRaw(*to, dest->bkColour)};
        source = [&, values](int row, uint32_t* out) {
            ReadRow(*from, rect.left + dx, row + dy, span, out);
            for (int i = 0; i < span; ++i) out[i] = values[out[i] & 1];
        };
    } else if (colourToMono) {
        // Pixels of the source's background colour become 1, all others 0.
        uint32_t background = ColourToRaw(*from, src->bkColour);
        source = [&, background](int row, uint32_t* out) {
            ReadRow(*from, rect.left + dx, row + dy, span, out);
            for (int i = 0; i < span; ++i) out[i] = out[i] == background ? 1 : 0;
        };
    } else {
        source = [&](int row, uint32_t* out) {
            ReadRow(*from, rect.left + dx, row + dy, span, out);
            convert.ConvertRow(out, span);
        };
    }
    RunRop(*to, rect, code, pattern, source, sameSurface && dy < 0);
    return TRUE;
}
