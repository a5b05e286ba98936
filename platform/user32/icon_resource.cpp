// Icons from a module's resources: the group directory picks the image, the
// image is a DIB with a 1-bit AND mask below its colours.
#include "platform/gdi32/surface.h"
#include "platform/user32/icon_image.h"

#include <cstdlib>
#include <cstring>

namespace layer {
namespace {

#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved, type, count;
};
struct GroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

constexpr int kMaxIconSide = 256;

const BYTE* ResourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type, size_t* size) {
    HRSRC resource = FindResourceA(instance, name, type);
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(instance, resource);
    *size = SizeofResource(instance, resource);
    return loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
}

// Nearest size first, then the most colours.
bool Better(const GroupEntry& a, const GroupEntry& b, int size) {
    int sideA = a.width ? a.width : 256, sideB = b.width ? b.width : 256;
    int distanceA = std::abs(sideA - size), distanceB = std::abs(sideB - size);
    if (distanceA != distanceB) return distanceA < distanceB;
    return a.bitCount > b.bitCount;
}

uint32_t Colour(const BYTE* row, int x, int bits, const std::vector<RGBQUAD>& table) {
    auto fromTable = [&](unsigned index) {
        if (index >= table.size()) return uint32_t(0);
        const RGBQUAD& q = table[index];
        return uint32_t(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    };
    switch (bits) {
    case 1: return fromTable((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return fromTable((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
    case 8: return fromTable(row[x]);
    case 24: return RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default: return RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
    }
}

}  // namespace

bool DecodeIconDib(const BYTE* data, size_t size, IconImage* out) {
    BITMAPINFOHEADER h;
    if (!data || size < sizeof h) return false;
    std::memcpy(&h, data, sizeof h);
    int bits = h.biBitCount;
    int width = h.biWidth, height = h.biHeight / 2;
    if (h.biSize < sizeof h || h.biSize > size || h.biCompression != BI_RGB || width <= 0 || height <= 0 ||
        width > kMaxIconSide || height > kMaxIconSide || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return false;
    size_t colours = bits <= 8 ? (h.biClrUsed ? h.biClrUsed : (1u << bits)) : 0;
    if (colours > 256) return false;
    size_t offset = h.biSize;
    if ((size - offset) / sizeof(RGBQUAD) < colours) return false;
    std::vector<RGBQUAD> table(colours);
    std::memcpy(table.data(), data + offset, colours * sizeof(RGBQUAD));
    offset += colours * sizeof(RGBQUAD);
    size_t colourStride = static_cast<size_t>(DibStride(width, bits));
    size_t maskStride = static_cast<size_t>(DibStride(width, 1));
    if ((size - offset) / colourStride < size_t(height)) return false;
    const BYTE* colourBits = data + offset;
    offset += colourStride * size_t(height);
    // An image with alpha may leave out the mask.
    bool hasMask = (size - offset) / maskStride >= size_t(height);
    if (!hasMask && bits != 32) return false;
    const BYTE* maskBits = data + offset;
    *out = IconImage{};
    out->width = width;
    out->height = height;
    out->pixels.resize(size_t(width) * size_t(height));
    out->opaque.resize(out->pixels.size());
    for (int y = 0; y < height; ++y) {
        const BYTE* row = colourBits + colourStride * size_t(height - 1 - y);
        const BYTE* maskRow = maskBits + maskStride * size_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            size_t i = size_t(y) * size_t(width) + size_t(x);
            out->pixels[i] = Colour(row, x, bits, table);
            bool masked = hasMask && ((maskRow[x / 8] >> (7 - x % 8)) & 1);
            out->opaque[i] = bits == 32 && !hasMask ? row[x * 4 + 3] >= 128 : !masked;
        }
    }
    return true;
}

bool LoadIconResource(HINSTANCE instance, LPCSTR name, int size, IconImage* out) {
    size_t groupSize = 0;
    const BYTE* group = ResourceBytes(instance, name, RT_GROUP_ICON, &groupSize);
    GroupHeader header;
    if (!group || groupSize < sizeof header) return false;
    std::memcpy(&header, group, sizeof header);
    if (header.type != 1 || header.count == 0 || (groupSize - sizeof header) / sizeof(GroupEntry) < header.count)
        return false;
    GroupEntry best;
    for (WORD i = 0; i < header.count; ++i) {
        GroupEntry e;
        std::memcpy(&e, group + sizeof header + i * sizeof e, sizeof e);
        if (i == 0 || Better(e, best, size)) best = e;
    }
    size_t imageSize = 0;
    const BYTE* image = ResourceBytes(instance, MAKEINTRESOURCEA(best.id), RT_ICON, &imageSize);
    return image && DecodeIconDib(image, imageSize, out);
}

}  // namespace layer
