// Translation of X key symbols to Windows virtual-key codes.
#pragma once

namespace layer {

// The virtual-key code for an X keysym, or 0 when the key has none we report.
unsigned VirtualKeyFromKeysym(unsigned long keysym);

}  // namespace layer
