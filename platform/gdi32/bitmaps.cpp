#include "platform/gdi32/bitmaps.h"

#include <cstring>

namespace layer {

HBITMAP NewBitmap(int width, int height, int bitsPerPixel) {
    auto object = std::make_unique<GdiObject>();
    object->type = OBJ_BITMAP;
    if (!AllocateSurface(&object->bitmap.surface, width, height, bitsPerPixel, true)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return static_cast<HBITMAP>(AddObject(std::move(object)));
}

HBITMAP NewDibSection(const DibFormat& format) {
    auto object = std::make_unique<GdiObject>();
    object->type = OBJ_BITMAP;
    object->bitmap.dibSection = true;
    Surface& s = object->bitmap.surface;
    if (!AllocateSurface(&s, format.width, format.height, format.bitsPerPixel, format.topDown)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    // The table always has the depth's full size; entries the header leaves out are black.
    s.colours.assign(format.colours, format.colours + format.colourCount);
    if (format.bitsPerPixel <= 8) s.colours.resize(size_t(1) << format.bitsPerPixel, RGBQUAD{0, 0, 0, 0});
    return static_cast<HBITMAP>(AddObject(std::move(object)));
}

}  // namespace layer

using namespace layer;

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width < 0 || height < 0 || planes != 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    switch (bitsPerPixel) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
    }
    // As documented: an empty size gives the 1 x 1 monochrome bitmap.
    if (width == 0 || height == 0) return static_cast<HBITMAP>(DefaultBitmap());
    HBITMAP bitmap = NewBitmap(width, height, int(bitsPerPixel));
    if (bitmap && bits) {
        // The caller's rows are padded to 2 bytes, ours to 4.
        Surface& s = GdiObjects().Get(reinterpret_cast<uintptr_t>(bitmap))->bitmap.surface;
        size_t rowBytes = (size_t(width) * bitsPerPixel + 15) / 16 * 2;
        for (int y = 0; y < height; ++y)
            std::memcpy(s.Row(y), static_cast<const uint8_t*>(bits) + rowBytes * size_t(y), rowBytes);
    }
    return bitmap;
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int width, int height) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return nullptr;
    if (width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (width == 0 || height == 0) return static_cast<HBITMAP>(DefaultBitmap());
    if (dc->kind != DcKind::Memory) return NewBitmap(width, height, DeviceDepth());
    // A memory context's device is the bitmap it holds: a fresh one makes monochrome bitmaps.
    const BitmapData& held = GdiObjects().Get(reinterpret_cast<uintptr_t>(dc->bitmap))->bitmap;
    if (!held.dibSection) return NewBitmap(width, height, held.surface.bitsPerPixel);
    DibFormat format;
    format.width = width;
    format.height = height;
    format.topDown = held.surface.topDown;
    format.bitsPerPixel = held.surface.bitsPerPixel;
    format.colourCount = held.surface.colours.size();
    format.colours = held.surface.colours.data();
    return NewDibSection(format);
}

HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                DWORD) {
    if (bits) *bits = nullptr;
    if (hdc && !LookUpDc(hdc)) return nullptr;
    DibFormat format;
    // Colour tables of palette indexes and file-mapping sections are not supported.
    if (usage != DIB_RGB_COLORS || section || !ParseDibFormat(info, &format)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HBITMAP bitmap = NewDibSection(format);
    if (bitmap && bits) *bits = GdiObjects().Get(reinterpret_cast<uintptr_t>(bitmap))->bitmap.surface.bits;
    return bitmap;
}
