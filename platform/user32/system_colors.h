// The system colour scheme and its brushes, as the window manager uses them.
#pragma once

#include "platform/win32.h"

namespace layer {

// The brush to paint with for a class background: a system colour given as
// (HBRUSH)(COLOR_x + 1), or a system colour brush of an earlier scheme, is
// answered with the current scheme's brush; any other brush is returned as it is.
HBRUSH ResolveBackgroundBrush(HBRUSH brush);

}  // namespace layer
