// Where a window lies: its frame, caption and client area, on the screen and
// in its top-level window's backing store.
#pragma once

#include "platform/user32/window_internal.h"

namespace layer {

// Thickness of the non-client area on each side for these styles.
RECT NonClientInsets(DWORD style, DWORD exStyle);
// The close box of a captioned window with WS_SYSMENU, in window coordinates; empty for others.
RECT CloseBoxInWindow(const Window* w);
// The window rectangle on the screen.
RECT ScreenRectOf(const Window* w);
// The client area in window coordinates (0, 0 = the window's top-left corner).
RECT ClientRectInWindow(const Window* w);
// The top-left corner of the client area on the screen.
POINT ClientOriginOnScreen(const Window* w);
// The window's rectangle in its top-level window's coordinates (the backing store's).
RECT RectInTopLevel(const Window* w);
// The part of the client area that its ancestors' client areas leave visible,
// in top-level window coordinates.
RECT VisibleClientInTopLevel(const Window* w);

}  // namespace layer
