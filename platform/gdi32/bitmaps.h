// Making bitmap objects.
#pragma once

#include "platform/gdi32/dib_format.h"
#include "platform/gdi32/gdi_objects.h"

namespace layer {

// A device-dependent bitmap of the given depth, zeroed, with the depth's default colour table.
HBITMAP NewBitmap(int width, int height, int bitsPerPixel);
// A DIB section in the given layout, with its own copy of the colour table.
HBITMAP NewDibSection(const DibFormat& format);

}  // namespace layer
