#include "platform/gdi32/dib_format.h"

#include <cstring>

namespace layer {

bool ParseDibFormat(const BITMAPINFO* info, DibFormat* format) {
    if (!info) return false;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > 4096 || h.biPlanes != 1) return false;
    if (h.biCompression != BI_RGB) return false;
    switch (h.biBitCount) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return false;
    }
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return false;
    format->width = h.biWidth;
    format->height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    format->topDown = h.biHeight < 0;
    format->bitsPerPixel = h.biBitCount;
    format->stride = DibStride(h.biWidth, h.biBitCount);
    if (format->stride == 0) return false;
    size_t maxColours = h.biBitCount <= 8 ? size_t(1) << h.biBitCount : 0;
    size_t colours = h.biClrUsed == 0 ? maxColours : h.biClrUsed;
    format->colourCount = colours < maxColours ? colours : maxColours;
    format->colours = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(info) + h.biSize);
    format->headerBytes = h.biSize + format->colourCount * sizeof(RGBQUAD);
    return true;
}

Surface DibView(const DibFormat& format, void* bits) {
    Surface s;
    s.width = format.width;
    s.height = format.height;
    s.bitsPerPixel = format.bitsPerPixel;
    s.stride = format.stride;
    s.topDown = format.topDown;
    s.bits = static_cast<uint8_t*>(bits);
    s.colours.assign(format.colours, format.colours + format.colourCount);
    return s;
}

ColourConverter::ColourConverter(const Surface& from, const Surface& to) : from_(from), to_(to) {
    // 24- and 32-bit pixels share one raw form, 0x00RRGGBB.
    if (from.bitsPerPixel >= 24 && to.bitsPerPixel >= 24) identity_ = true;
    else if (from.bitsPerPixel == to.bitsPerPixel) {
        identity_ = from.bitsPerPixel > 8 ||
                    (from.colours.size() == to.colours.size() &&
                     std::memcmp(from.colours.data(), to.colours.data(), from.colours.size() * sizeof(RGBQUAD)) == 0);
    }
    if (!identity_ && from.bitsPerPixel <= 8) {
        table_.resize(size_t(1) << from.bitsPerPixel);
        for (size_t i = 0; i < table_.size(); ++i) table_[i] = ColourToRaw(to, RawToColour(from, uint32_t(i)));
    }
}

uint32_t ColourConverter::operator()(uint32_t raw) {
    if (identity_) return raw;
    if (!table_.empty()) return table_[raw & (table_.size() - 1)];
    if (raw != lastIn_) {
        lastIn_ = raw;
        lastOut_ = ColourToRaw(to_, RawToColour(from_, raw));
    }
    return lastOut_;
}

void ColourConverter::ConvertRow(uint32_t* values, int count) {
    if (identity_) return;
    for (int i = 0; i < count; ++i) values[i] = (*this)(values[i]);
}

void CopyRow(const Surface& from, int fromY, Surface& to, int toY, ColourConverter& convert) {
    std::vector<uint32_t> row(size_t(from.width));
    ReadRow(from, 0, fromY, from.width, row.data());
    convert.ConvertRow(row.data(), from.width);
    WriteRow(to, 0, toY, from.width, row.data());
}

}  // namespace layer
