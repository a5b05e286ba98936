// Logical fonts: what a LOGFONTA asks for, reduced to the real face and pixel size that serve it.
#pragma once

#include "platform/gdi32/gdi_objects.h"

namespace layer {

FontData MakeFontData(const LOGFONTA& log);
// The font a context draws with (its selected font, else the system font).
const FontData& SelectedFont(const DeviceContext& dc);

}  // namespace layer
