// The frame and caption of a window, drawn in the classic style.
#pragma once

#include "platform/user32/window_internal.h"

namespace layer {

// Draws the non-client area of hwnd into its backing store and shows it.
void PaintNonClient(HWND hwnd);

}  // namespace layer
