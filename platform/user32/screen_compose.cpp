// The screen: the visible top-level windows' backing stores copied in z-order
// over the desktop colour, then shown by the display.
#include "platform/display/display.h"
#include "platform/user32/window_ops.h"

#include <algorithm>

namespace layer {
namespace {

// A window larger than this keeps a backing store of this size; the rest is never shown.
constexpr int kMaxBackingSide = 4096;

uint32_t PixelFromColour(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace

void EnsureBackingStore(Window* top) {
    int width = std::clamp(static_cast<int>(top->rect.right - top->rect.left), 0, kMaxBackingSide);
    int height = std::clamp(static_cast<int>(top->rect.bottom - top->rect.top), 0, kMaxBackingSide);
    if (top->backing.pixels && top->backing.width == width && top->backing.height == height) return;
    top->backingPixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height),
                              PixelFromColour(GetSysColor(COLOR_BTNFACE)));
    top->backing = PixelBuffer{top->backingPixels.data(), width, height};
    if (top->backingPixels.empty()) top->backing.pixels = nullptr;
}

void ComposeScreen(RECT area) {
    PixelBuffer screen = DisplayScreen();
    RECT bounds = {0, 0, screen.width, screen.height};
    if (!screen.pixels || !IntersectRect(&area, &area, &bounds)) return;
    uint32_t desktop = PixelFromColour(GetSysColor(COLOR_BACKGROUND));
    for (int y = area.top; y < area.bottom; ++y)
        std::fill_n(screen.pixels + size_t(y) * size_t(screen.width) + size_t(area.left), area.right - area.left,
                    desktop);
    std::vector<Window*> shown = VisibleTopLevels();
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        Window* w = *it;
        if (!w->backing.pixels) continue;
        RECT stored = {w->rect.left, w->rect.top, w->rect.left + w->backing.width, w->rect.top + w->backing.height};
        RECT part;
        if (!IntersectRect(&part, &area, &stored)) continue;
        for (int y = part.top; y < part.bottom; ++y) {
            const uint32_t* from = w->backing.pixels + size_t(y - w->rect.top) * size_t(w->backing.width) +
                                   size_t(part.left - w->rect.left);
            std::copy_n(from, part.right - part.left,
                        screen.pixels + size_t(y) * size_t(screen.width) + size_t(part.left));
        }
    }
    DisplayPresent(area);
}

}  // namespace layer
