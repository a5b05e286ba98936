// Which window paints next: the synthesised WM_PAINT of the message loop.
#pragma once

#include "platform/user32/window_internal.h"

namespace layer {

// The first window shown on screen with something to repaint, parents before
// their children; limited to filter and its descendants when filter is set.
Window* FindWindowNeedingPaint(HWND filter);
// A window that needs a paint but handled WM_PAINT without BeginPaint still gets its frame drawn.
void FinishPaintMessage(HWND hwnd);
// A device context on a window's client area (or, with frame, the whole window) in its backing store.
HDC CreateWindowDC(Window* w, bool frame);
// Deletes a context that CreateWindowDC or GetDC gave out; false for any other (or one released already).
bool ReleaseWindowDC(HDC hdc);

}  // namespace layer
