#include "dib_bytes.h"

#include <cstdio>
#include <cstdlib>

namespace artgen {

void PutWord(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutDword(Bytes& out, uint32_t value) {
    PutWord(out, static_cast<uint16_t>(value));
    PutWord(out, static_cast<uint16_t>(value >> 16));
}

void PutInfoHeader(Bytes& out, int width, int heightField, int bitsPerPixel, uint32_t imageSize, uint32_t coloursUsed) {
    PutDword(out, 40);
    PutDword(out, static_cast<uint32_t>(width));
    PutDword(out, static_cast<uint32_t>(heightField));
    PutWord(out, 1);
    PutWord(out, static_cast<uint16_t>(bitsPerPixel));
    PutDword(out, 0);  // BI_RGB
    PutDword(out, imageSize);
    PutDword(out, 0);
    PutDword(out, 0);
    PutDword(out, coloursUsed);
    PutDword(out, 0);
}

void PutColourTable(Bytes& out, const std::vector<Rgb8>& palette) {
    for (const Rgb8& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
}

Bytes PackedRows(const IndexedImage& image, int bitsPerPixel) {
    const int stride = ((image.width * bitsPerPixel + 31) / 32) * 4;
    Bytes bits(static_cast<size_t>(stride) * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        uint8_t* row = &bits[static_cast<size_t>(image.height - 1 - y) * stride];
        for (int x = 0; x < image.width; ++x) {
            const uint8_t index = image.indices[static_cast<size_t>(y) * image.width + x];
            const int bit = x * bitsPerPixel;
            row[bit / 8] |= static_cast<uint8_t>(index << (8 - bitsPerPixel - bit % 8));
        }
    }
    return bits;
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
        std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

}  // namespace artgen
