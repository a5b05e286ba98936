// Operations on windows shared inside user32: z-order, activation, focus and
// the painting bookkeeping that follows changes of place and visibility.
#pragma once

#include "platform/user32/window_internal.h"

namespace layer {

// Z-order of top-level windows: the topmost band first, owned windows above their owner.
void PlaceTopLevel(Window* w, HWND insertAfter);
void RemoveTopLevel(HWND hwnd);
// Moves a window and the windows it owns into or out of the topmost band.
void SetTopmostBand(Window* w, bool topmost);
// The visible top-level windows from the top of the screen down.
std::vector<Window*> VisibleTopLevels();

// Makes a top-level window the active one (WM_ACTIVATE to both, focus restored inside it).
void ActivateWindow(HWND hwnd);
// After hwnd stops being able to be active: activates its owner or the next visible window.
void ActivateAnotherThan(HWND hwnd);
// True when hwnd is ancestor or the same window as descendant.
bool IsSelfOrAncestor(HWND ancestor, HWND descendant);

// Invalidates part of the client area (nullptr: all of it) and of the children under it.
void InvalidateClient(Window* w, const RECT* clientRect, bool erase);
// Marks the frame and caption for repainting.
void InvalidateFrame(Window* w);
// Makes the parent repaint what a child covered (the child hidden, moved or destroyed).
void InvalidateUnderChild(Window* child, RECT rectInParent);
// Copies the visible top-level windows into the screen over rect (screen coordinates) and shows it.
void ComposeScreen(RECT screenRect);
// Gives a top-level window a backing store of its current size.
void EnsureBackingStore(Window* top);

// The deepest visible, enabled window under a point of the screen, or nullptr.
Window* WindowAtScreenPoint(POINT screenPoint);

// Moves and sizes a window (rect in the parent's client area or on the screen) and tells it.
void RepositionWindow(Window* w, RECT rect, bool repaint);

}  // namespace layer
