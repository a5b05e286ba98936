// Mouse and keyboard into the message queue: from the display (X11), or
// injected in-process by tests and the headless robot.
#pragma once

#include "platform/display/display.h"
#include "platform/win32.h"

namespace layer {

// Delivers one event as a person's hand would: mouse messages to the window under
// the point (children hit-tested, the capture first; disabled windows get nothing),
// keys to the focus window. A Char event that follows its KeyDown becomes the
// character TranslateMessage makes of that key; a Char on its own is posted as WM_CHAR.
void InjectInput(const InputEvent& event);
// Starts watching the display's input (called once by the window manager).
void ConnectDisplayInput();
// The character TranslateMessage makes of a WM_KEYDOWN, or 0 for a key without one.
unsigned CharacterForKeyDown(const MSG& msg);
// True while a Shift key is held.
bool ShiftKeyDown();
// The last mouse position on the screen.
POINT CursorPosition();

}  // namespace layer
