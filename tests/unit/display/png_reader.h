// Reads a PNG back into 0x00RRGGBB pixels, for checking what the display wrote.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

inline bool ReadPng(const std::string& path, DecodedPng* result) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return false;
    result->width = static_cast<int>(image.width);
    result->height = static_cast<int>(image.height);
    result->pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < result->pixels.size(); ++i) {
        result->pixels[i] = (bytes[i * 3] << 16) | (bytes[i * 3 + 1] << 8) | bytes[i * 3 + 2];
    }
    return true;
}
