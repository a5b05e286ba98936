#include "platform/gdi32/dib_format.h"
#include "platform/gdi32/gdi_objects.h"

#include <cstring>

namespace layer {
namespace {

// The scan lines [start, start + lines) that exist in a bitmap of this height.
int ClampLines(UINT start, UINT lines, int height) {
    if (start >= UINT(height)) return 0;
    UINT available = UINT(height) - start;
    return int(lines < available ? lines : available);
}

// Surface row of scan line `line` in a DIB numbered from the bottom unless top-down.
int RowOfLine(const DibFormat& format, int line) { return format.topDown ? line : format.height - 1 - line; }

// The colour table GetDIBits reports for a requested depth.
std::vector<RGBQUAD> ReportedColours(const Surface& bitmap, int bitsPerPixel) {
    if (bitmap.bitsPerPixel == bitsPerPixel && !bitmap.colours.empty()) return bitmap.colours;
    return DefaultColourTable(bitsPerPixel);
}

GdiObject* HeldDibSection(HDC hdc) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc || dc->kind != DcKind::Memory) return nullptr;
    GdiObject* bitmap = GdiObjects().Get(reinterpret_cast<uintptr_t>(dc->bitmap));
    if (!bitmap || !bitmap->bitmap.dibSection || bitmap->bitmap.surface.bitsPerPixel > 8) return nullptr;
    return bitmap;
}

}  // namespace
}  // namespace layer

using namespace layer;

int WINAPI GetDIBits(HDC hdc, HBITMAP handle, UINT start, UINT lines, LPVOID bits, BITMAPINFO* info, UINT usage) {
    GdiObject* object = LookUpDc(hdc) ? LookUpObject(handle, OBJ_BITMAP) : nullptr;
    if (!object) return 0;
    if (!info || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Surface& surface = object->bitmap.surface;
    BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biBitCount == 0) {
        // Asked only for the layout.
        if (bits || header.biSize < sizeof(BITMAPINFOHEADER)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        header.biWidth = surface.width;
        header.biHeight = surface.height;
        header.biPlanes = 1;
        header.biBitCount = WORD(surface.bitsPerPixel);
        header.biCompression = BI_RGB;
        header.biSizeImage = DWORD(DibStride(surface.width, surface.bitsPerPixel) * surface.height);
        header.biClrUsed = 0;
        header.biClrImportant = 0;
        return surface.height;
    }
    DibFormat format;
    if (!ParseDibFormat(info, &format) || format.width != surface.width || format.height != surface.height) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (format.bitsPerPixel <= 8) {
        std::vector<RGBQUAD> colours = ReportedColours(surface, format.bitsPerPixel);
        size_t count = colours.size() < format.colourCount ? colours.size() : format.colourCount;
        std::memcpy(info->bmiColors, colours.data(), count * sizeof(RGBQUAD));
    }
    header.biSizeImage = DWORD(format.stride * format.height);
    if (!bits) return surface.height;
    int count = ClampLines(start, lines, surface.height);
    // The caller's buffer holds just the requested lines, in memory order from the first.
    DibFormat window = format;
    window.height = count;
    window.topDown = true;
    Surface view = DibView(window, bits);
    ColourConverter convert(surface, view);
    for (int i = 0; i < count; ++i) {
        int line = int(start) + i;
        CopyRow(surface, RowOfLine(format, line), view, i, convert);
    }
    return count;
}

int WINAPI SetDIBits(HDC hdc, HBITMAP handle, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
                     UINT usage) {
    GdiObject* object = LookUpDc(hdc) ? LookUpObject(handle, OBJ_BITMAP) : nullptr;
    if (!object) return 0;
    Surface& surface = object->bitmap.surface;
    DibFormat format;
    if (!bits || usage != DIB_RGB_COLORS || !ParseDibFormat(info, &format) || format.width != surface.width ||
        format.height != surface.height) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int count = ClampLines(start, lines, surface.height);
    DibFormat window = format;
    window.height = count;
    window.topDown = true;
    Surface view = DibView(window, const_cast<void*>(bits));
    ColourConverter convert(view, surface);
    for (int i = 0; i < count; ++i) {
        int line = int(start) + i;
        CopyRow(view, i, surface, RowOfLine(format, line), convert);
    }
    return count;
}

UINT WINAPI GetDIBColorTable(HDC hdc, UINT start, UINT count, RGBQUAD* colours) {
    GdiObject* bitmap = HeldDibSection(hdc);
    if (!bitmap || !colours) return 0;
    const std::vector<RGBQUAD>& table = bitmap->bitmap.surface.colours;
    if (start >= table.size()) return 0;
    UINT n = UINT(table.size()) - start < count ? UINT(table.size()) - start : count;
    std::memcpy(colours, table.data() + start, n * sizeof(RGBQUAD));
    return n;
}

UINT WINAPI SetDIBColorTable(HDC hdc, UINT start, UINT count, const RGBQUAD* colours) {
    GdiObject* bitmap = HeldDibSection(hdc);
    if (!bitmap || !colours) return 0;
    std::vector<RGBQUAD>& table = bitmap->bitmap.surface.colours;
    if (start >= table.size()) return 0;
    UINT n = UINT(table.size()) - start < count ? UINT(table.size()) - start : count;
    std::memcpy(table.data() + start, colours, n * sizeof(RGBQUAD));
    return n;
}
