#include "platform/display/png_file.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace layer {

namespace {

bool EncodeRows(FILE* file, const PixelBuffer& buffer) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_byte> row(static_cast<size_t>(buffer.width) * 3);
    // libpng reports errors by longjmp; nothing below owns resources the jump would leak.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    // Snapshots are written at every present: speed matters more than size.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, buffer.width, buffer.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < buffer.height; ++y) {
        const uint32_t* source = buffer.pixels + static_cast<size_t>(y) * buffer.width;
        for (int x = 0; x < buffer.width; ++x) {
            row[x * 3 + 0] = static_cast<png_byte>(source[x] >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(source[x] >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(source[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePngFile(const PixelBuffer& buffer, const std::string& path) {
    if (!buffer.pixels || buffer.width <= 0 || buffer.height <= 0 || path.empty()) return false;
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    bool written = EncodeRows(file, buffer);
    written = (std::fclose(file) == 0) && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace layer
