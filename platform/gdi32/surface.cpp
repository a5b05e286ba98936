#include "platform/gdi32/surface.h"

#include <climits>
#include <cstring>

namespace layer {
namespace {

RGBQUAD Quad(int r, int g, int b) { return RGBQUAD{BYTE(b), BYTE(g), BYTE(r), 0}; }

const RGBQUAD kVga[16] = {
    Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
    Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(192, 192, 192),
    Quad(128, 128, 128), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
    Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255),
};

bool SameColour(const RGBQUAD& a, const RGBQUAD& b) {
    return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

// The 20 static colours of a palette display at both ends, a colour cube and greys between.
// No colour stands twice: raster operations on such a display work on indexes, and the
// masks of transparent copies rely on black being index 0 and white index 255 only.
std::vector<RGBQUAD> EightBitTable() {
    std::vector<RGBQUAD> head(kVga, kVga + 7), tail;
    head.push_back(Quad(192, 192, 192));
    head.push_back(Quad(192, 220, 192));
    head.push_back(Quad(166, 202, 240));
    tail.push_back(Quad(255, 251, 240));
    tail.push_back(Quad(160, 160, 164));
    for (int i = 8; i < 16; ++i) tail.push_back(kVga[i]);
    auto isStatic = [&](const RGBQUAD& q) {
        for (const RGBQUAD& s : head)
            if (SameColour(s, q)) return true;
        for (const RGBQUAD& s : tail)
            if (SameColour(s, q)) return true;
        return false;
    };
    std::vector<RGBQUAD> table = head;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                if (!isStatic(Quad(r * 51, g * 51, b * 51))) table.push_back(Quad(r * 51, g * 51, b * 51));
    // Greys fill what is left; none of these levels is a static or cube colour.
    int greys = 256 - int(table.size() + tail.size());
    for (int i = 1; i <= greys; ++i) {
        int level = i * 255 / (greys + 1);
        table.push_back(Quad(level, level, level));
    }
    table.insert(table.end(), tail.begin(), tail.end());
    return table;
}

}  // namespace

int DibStride(int width, int bitsPerPixel) {
    if (width <= 0 || bitsPerPixel <= 0) return 0;
    long long bits = (long long)width * bitsPerPixel;
    long long stride = ((bits + 31) / 32) * 4;
    return stride > INT_MAX ? 0 : int(stride);
}

bool AllocateSurface(Surface* surface, int width, int height, int bitsPerPixel, bool topDown) {
    // A generous ceiling (256 MiB) that refuses sizes no real picture needs.
    constexpr long long kMaxBytes = 256ll << 20;
    int stride = DibStride(width, bitsPerPixel);
    if (stride == 0 || height <= 0 || (long long)stride * height > kMaxBytes) return false;
    surface->width = width;
    surface->height = height;
    surface->bitsPerPixel = bitsPerPixel;
    surface->stride = stride;
    surface->topDown = topDown;
    surface->storage.assign(size_t(stride) * size_t(height), 0);
    surface->bits = surface->storage.data();
    surface->colours = bitsPerPixel <= 8 ? DefaultColourTable(bitsPerPixel) : std::vector<RGBQUAD>();
    return true;
}

std::vector<RGBQUAD> DefaultColourTable(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1: return {Quad(0, 0, 0), Quad(255, 255, 255)};
        case 4: return std::vector<RGBQUAD>(kVga, kVga + 16);
        case 8: return EightBitTable();
        default: return {};
    }
}

uint32_t ReadPixel(const Surface& s, int x, int y) {
    uint32_t raw;
    ReadRow(s, x, y, 1, &raw);
    return raw;
}

void WritePixel(Surface& s, int x, int y, uint32_t raw) { WriteRow(s, x, y, 1, &raw); }

void ReadRow(const Surface& s, int x, int y, int count, uint32_t* out) {
    const uint8_t* row = s.Row(y);
    switch (s.bitsPerPixel) {
        case 1:
            for (int i = 0; i < count; ++i) {
                int px = x + i;
                out[i] = (row[px >> 3] >> (7 - (px & 7))) & 1;
            }
            break;
        case 4:
            for (int i = 0; i < count; ++i) {
                int px = x + i;
                out[i] = (px & 1) ? row[px >> 1] & 0xf : row[px >> 1] >> 4;
            }
            break;
        case 8:
            for (int i = 0; i < count; ++i) out[i] = row[x + i];
            break;
        case 16:
            for (int i = 0; i < count; ++i) {
                const uint8_t* p = row + (x + i) * 2;
                out[i] = (p[0] | (p[1] << 8)) & 0x7fff;
            }
            break;
        case 24:
            for (int i = 0; i < count; ++i) {
                const uint8_t* p = row + (x + i) * 3;
                out[i] = p[0] | (p[1] << 8) | (uint32_t(p[2]) << 16);
            }
            break;
        default:
            std::memcpy(out, row + x * 4, size_t(count) * 4);
            for (int i = 0; i < count; ++i) out[i] &= 0xffffff;
            break;
    }
}

void WriteRow(Surface& s, int x, int y, int count, const uint32_t* in) {
    uint8_t* row = s.Row(y);
    switch (s.bitsPerPixel) {
        case 1:
            for (int i = 0; i < count; ++i) {
                int px = x + i;
                uint8_t bit = uint8_t(0x80 >> (px & 7));
                if (in[i] & 1) row[px >> 3] |= bit; else row[px >> 3] &= uint8_t(~bit);
            }
            break;
        case 4:
            for (int i = 0; i < count; ++i) {
                int px = x + i;
                uint8_t& b = row[px >> 1];
                b = (px & 1) ? uint8_t((b & 0xf0) | (in[i] & 0xf)) : uint8_t((b & 0x0f) | ((in[i] & 0xf) << 4));
            }
            break;
        case 8:
            for (int i = 0; i < count; ++i) row[x + i] = uint8_t(in[i]);
            break;
        case 16:
            for (int i = 0; i < count; ++i) {
                uint8_t* p = row + (x + i) * 2;
                p[0] = uint8_t(in[i]);
                p[1] = uint8_t((in[i] >> 8) & 0x7f);
            }
            break;
        case 24:
            for (int i = 0; i < count; ++i) {
                uint8_t* p = row + (x + i) * 3;
                p[0] = uint8_t(in[i]);
                p[1] = uint8_t(in[i] >> 8);
                p[2] = uint8_t(in[i] >> 16);
            }
            break;
        default: {
            uint32_t* p = reinterpret_cast<uint32_t*>(row) + x;
            for (int i = 0; i < count; ++i) p[i] = in[i] & 0xffffff;
            break;
        }
    }
}

void FillSurfaceRect(Surface& s, const RECT& rect, uint32_t raw) {
    int width = rect.right - rect.left;
    if (width <= 0 || rect.bottom <= rect.top) return;
    std::vector<uint32_t> row(size_t(width), raw);
    for (int y = rect.top; y < rect.bottom; ++y) WriteRow(s, rect.left, y, width, row.data());
}

COLORREF RawToColour(const Surface& s, uint32_t raw) {
    if (s.bitsPerPixel <= 8) {
        if (raw >= s.colours.size()) return RGB(0, 0, 0);
        const RGBQUAD& q = s.colours[raw];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    if (s.bitsPerPixel == 16) {
        auto expand = [](uint32_t v) { return (v << 3) | (v >> 2); };
        return RGB(expand((raw >> 10) & 31), expand((raw >> 5) & 31), expand(raw & 31));
    }
    return RGB((raw >> 16) & 0xff, (raw >> 8) & 0xff, raw & 0xff);
}

uint32_t ColourToRaw(const Surface& s, COLORREF colour) {
    int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    if (s.bitsPerPixel <= 8) {
        uint32_t best = 0;
        long bestDistance = LONG_MAX;
        for (size_t i = 0; i < s.colours.size(); ++i) {
            const RGBQUAD& q = s.colours[i];
            long dr = q.rgbRed - r, dg = q.rgbGreen - g, db = q.rgbBlue - b;
            long distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = uint32_t(i);
                if (distance == 0) break;
            }
        }
        return best;
    }
    if (s.bitsPerPixel == 16) return uint32_t(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
    return uint32_t((r << 16) | (g << 8) | b);
}

}  // namespace layer
