#include "platform/gdi32/bitmaps.h"
#include "platform/gdi32/dib_format.h"

#include <cstring>

namespace layer {

HBITMAP CreateBitmapFromPackedDib(const void* dib, size_t size, bool dibSection) {
    if (!dib || size < sizeof(BITMAPINFOHEADER)) return nullptr;
    // Resource bytes need not be aligned: read the header and colour table from an aligned copy.
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib, sizeof header);
    if (header.biSize < sizeof header || header.biSize > size) return nullptr;
    std::vector<uint32_t> aligned((size + 3) / 4);
    std::memcpy(aligned.data(), dib, size);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(aligned.data());
    DibFormat format;
    if (!ParseDibFormat(info, &format) || format.headerBytes > size ||
        (size - format.headerBytes) / size_t(format.stride) < size_t(format.height))
        return nullptr;
    const uint8_t* bits = reinterpret_cast<const uint8_t*>(aligned.data()) + format.headerBytes;

    if (dibSection) {
        HBITMAP bitmap = NewDibSection(format);
        if (bitmap) {
            Surface& s = GdiObjects().Get(reinterpret_cast<uintptr_t>(bitmap))->bitmap.surface;
            std::memcpy(s.bits, bits, size_t(format.stride) * size_t(format.height));
        }
        return bitmap;
    }
    // Monochrome pictures stay monochrome; all others take the display's depth.
    HBITMAP bitmap = NewBitmap(format.width, format.height, format.bitsPerPixel == 1 ? 1 : DeviceDepth());
    if (!bitmap) return nullptr;
    Surface& target = GdiObjects().Get(reinterpret_cast<uintptr_t>(bitmap))->bitmap.surface;
    Surface view = DibView(format, const_cast<uint8_t*>(bits));
    ColourConverter convert(view, target);
    for (int y = 0; y < format.height; ++y) CopyRow(view, y, target, y, convert);
    return bitmap;
}

}  // namespace layer
