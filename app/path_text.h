// Composing paths in the installer's fixed 260-byte buffers without ever cutting them short.
#pragma once

// target = folder + name when that fits in 260 bytes with its NUL: 1. Otherwise target
// becomes empty and the result is 0, so no shortened path is ever used.
int ComposePath(char* target, const char* folder, const char* name);
