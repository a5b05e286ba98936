#include "preview_png.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace artgen {

RgbImage Expand(const IndexedImage& image) {
    RgbImage result(image.width, image.height, Rgb{});
    for (int i = 0; i < image.width * image.height; ++i) result.pixels[i] = ToRgb(image.palette[image.indices[i]]);
    return result;
}

RgbImage Tiled(const RgbImage& tile, int width, int height) {
    RgbImage result(width, height, Rgb{});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) result.At(x, y) = tile.At(x % tile.width, y % tile.height);
    return result;
}

void WritePreview(const std::string& path, const RgbImage& image, int scale) {
    png_image out{};
    out.version = PNG_IMAGE_VERSION;
    out.width = static_cast<png_uint_32>(image.width * scale);
    out.height = static_cast<png_uint_32>(image.height * scale);
    out.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(static_cast<size_t>(out.width) * out.height * 3);
    for (png_uint_32 y = 0; y < out.height; ++y)
        for (png_uint_32 x = 0; x < out.width; ++x) {
            const Rgb8 c = ToRgb8(image.At(static_cast<int>(x) / scale, static_cast<int>(y) / scale));
            png_byte* p = &bytes[(static_cast<size_t>(y) * out.width + x) * 3];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    if (!png_image_write_to_file(&out, path.c_str(), 0, bytes.data(), 0, nullptr))
        std::fprintf(stderr, "artgen: cannot write preview %s\n", path.c_str());
}

}  // namespace artgen
