// Writing a pixel buffer as a PNG file.
#pragma once

#include "platform/gdi32/gdi_internal.h"

#include <string>

namespace layer {

// Writes the buffer as an 8-bit RGB PNG. The file appears whole or not at all:
// it is written beside the target and renamed into place, so a reader never
// sees a half-written picture. False on any failure.
bool WritePngFile(const PixelBuffer& buffer, const std::string& path);

}  // namespace layer
