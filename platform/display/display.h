// Where the screen goes: a headless framebuffer, or one X11 window that shows
// it and feeds mouse and keyboard back.
#pragma once

#include "platform/gdi32/gdi_internal.h"

#include <string>

namespace layer {

enum class InputKind { MouseMove, ButtonDown, ButtonUp, KeyDown, KeyUp, Char };

struct InputEvent {
    InputKind kind;
    int x = 0, y = 0;      // screen coordinates, for mouse events
    int button = 0;        // 1 = left, 2 = middle, 3 = right
    unsigned key = 0;      // virtual-key code for KeyDown/KeyUp, character for Char
};

// Opens the display the profile names (headless or X11). Safe to call again.
void DisplayOpen();
// The screen: profile width x height, composed by the window manager.
PixelBuffer DisplayScreen();
// Shows the screen's current contents (X11: copies the changed rectangle to the window).
// With the profile's snapshot folder set, also replaces <folder>/screen.png with the
// whole screen, atomically, so another process can take a picture at any moment.
void DisplayPresent(RECT changed);
// Writes the screen as a PNG file; false on failure.
bool DisplayWritePng(const std::string& path);
// A file descriptor that becomes readable when input may be waiting, or -1 (headless).
int DisplayInputFd();
// Takes the next input event, if any.
bool DisplayNextInput(InputEvent* event);
void DisplayClose();

}  // namespace layer
