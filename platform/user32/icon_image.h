// Icons and cursors: pixels with a transparency mask, in the user-object handle table.
#pragma once

#include "platform/win32.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace layer {

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00BBGGRR per pixel, rows top to bottom
    std::vector<uint8_t> opaque;   // 1 where the icon covers what lies under it
    bool shared = false;           // loaded by name: lives as long as the process
};

// Gives an icon its handle.
HICON AddIcon(IconImage image);
IconImage* IconFromHandle(HICON icon);
bool RemoveIcon(HICON icon);

// The image of a module's RT_GROUP_ICON resource closest to size x size pixels; false when absent or malformed.
bool LoadIconResource(HINSTANCE instance, LPCSTR name, int size, IconImage* out);
// Reads one RT_ICON image (a DIB of twice the icon's height: colours, then the AND mask).
bool DecodeIconDib(const BYTE* data, size_t size, IconImage* out);

// The system's icons (IDI_HAND, IDI_QUESTION, ...) and cursors, drawn in the classic style; false for unknown ids.
bool DrawSystemIcon(WORD id, IconImage* out);
bool DrawSystemCursor(WORD id, IconImage* out);

}  // namespace layer
