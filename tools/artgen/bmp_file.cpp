#include "bmp_file.h"

#include "dib_bytes.h"

namespace artgen {

namespace {

void WriteBmp(const std::string& path, int width, int height, int bitsPerPixel, const std::vector<Rgb8>& palette,
              const Bytes& bits) {
    const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    PutDword(out, offset + static_cast<uint32_t>(bits.size()));
    PutDword(out, 0);
    PutDword(out, offset);
    PutInfoHeader(out, width, height, bitsPerPixel, static_cast<uint32_t>(bits.size()),
                  static_cast<uint32_t>(palette.size()));
    PutColourTable(out, palette);
    out.insert(out.end(), bits.begin(), bits.end());
    WriteFileBytes(path, out);
}

}  // namespace

void WriteIndexedBmp(const std::string& path, const IndexedImage& image, int bitsPerPixel) {
    WriteBmp(path, image.width, image.height, bitsPerPixel, image.palette, PackedRows(image, bitsPerPixel));
}

void WriteTrueColourBmp(const std::string& path, const RgbImage& image) {
    const int stride = ((image.width * 24 + 31) / 32) * 4;
    Bytes bits(static_cast<size_t>(stride) * image.height, 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Rgb8 c = ToRgb8(image.At(x, y));
            uint8_t* p = &bits[static_cast<size_t>(image.height - 1 - y) * stride + x * 3];
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    WriteBmp(path, image.width, image.height, 24, {}, bits);
}

}  // namespace artgen
